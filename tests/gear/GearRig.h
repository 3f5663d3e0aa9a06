#pragma once
// A power-gear adapter over the real Tamsel.dll and this test's own virtual
// board, plus direct access to the board state and the adapter's registry
// key for arranging and checking.

#include "board/core/BoardState.h"
#include "kelp/vantor/PowerGear.h"
#include "kelp/vantor/PowerGearDll.h"
#include "kelp/vantor/ThresholdStore.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace geartest {

// Rebuilds the board from a profile and applies `change` to its state.
void LoadBoard(const std::string& profile, const std::function<void(vboard::BoardState&)>& change = {});
void ChangeBoard(const std::function<void(vboard::BoardState&)>& change);
uint32_t BoardValue(uint32_t id);
bool BoardHas(uint32_t id);
void SetBoardValue(uint32_t id, uint32_t value);

// HKLM Software\VANTOR\Tamsel3 (and its sub-keys) removed.
void CleanTamselKey();
std::optional<DWORD> ReadRootDword(const char* name);
void WriteRootDword(const char* name, DWORD value);

// Opens the library on the board as it is now; a store and a facade of
// its own, so each test sees the support level of its board.
struct GearRig {
    GearRig();
    kelp::PowerGearDll* dll = nullptr;
    std::unique_ptr<kelp::ThresholdStore> store;
    std::unique_ptr<kelp::PowerGear> gear;
};

// Starts every test from the current board and an empty Tamsel3 key.
class GearTest : public testing::Test {
protected:
    void SetUp() override;
};

} // namespace geartest
