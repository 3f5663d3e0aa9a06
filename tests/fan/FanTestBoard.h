#pragma once
// The virtual board as the fan tests see it: profiles and knobs, the
// emulated chip's registers, and the chip's access log.

#include "hw/AbsVentryLib.h"

#include <cstdint>
#include <string>
#include <vector>

namespace fantest {

// Loads a board profile into this test's own state; asserts on failure.
void LoadBoard(const std::string& profile);
void SetKnob(const std::string& name, const std::string& value);
void SetItemValue(uint32_t id, uint32_t value);
void RemoveItem(uint32_t id);
uint8_t Register(uint32_t bank, uint32_t offset);
void SetRegister(uint32_t bank, uint32_t offset, uint8_t value);
// The bank the chip's bank register holds.
uint8_t ChipBank();

// One access as the chip logged it.
struct Access {
    unsigned long process = 0;
    bool out = false;
    uint16_t port = 0;
    uint8_t value = 0;
};
// One hardware-monitor register write, decoded from the port accesses.
struct RegisterWrite {
    uint8_t bank = 0;
    uint8_t offset = 0;
    uint8_t value = 0;
    bool operator==(const RegisterWrite&) const = default;
};

// The access log of this test process (PELLIX_SIO_LOG).
void ClearAccessLog();
std::vector<Access> AccessLog();
// Data-port writes other than bank selections, with the bank in effect.
std::vector<RegisterWrite> RegisterWrites(const std::vector<Access>& log);

// Deletes the stored fan curves and extra mode.
void ClearFanStore();
bool ReadFanStoreValue(const char* name, unsigned long& value);
void WriteFanStoreValue(const char* name, unsigned long value);

// A fan library over the ACPI interface, counting gate writes.
class BoardVentryLib : public kelp::AbsVentryLib {
public:
    BoardVentryLib() { Init(); }
    ~BoardVentryLib() = default;

    bool IsVentryThreeSupported() override { return true; }
    uint32_t GetItem(uint32_t id) override;
    void SetItem(uint32_t id, uint32_t first, uint32_t second) override;
    bool IsItemSupported(uint32_t id) override;

    std::vector<uint32_t> writtenItems;
};

} // namespace fantest
