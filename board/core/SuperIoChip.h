#pragma once
// The board's Super-I/O chip: configuration ports 0x2E/0x2F (enter with
// 0x87 twice, identifier in configuration registers 0x20/0x21, leave with
// 0xAA) and the hardware monitor behind the index/data ports 0x295/0x296,
// whose registers are banked through register 0x4E.
//
// The chip is part of the shared board state, so every process sees the
// same latches, exactly as with real hardware: two programs that drive the
// index/data pair without a common lock corrupt each other's accesses.
//
// Knobs: sio_chip (identifier, default 0x0667), sio_cpu_temp (a fixed CPU
// temperature in degrees; otherwise it follows the machine's load between
// sio_idle_temp, default 38, and sio_idle_temp + sio_load_span, default 40).
// The CPU fan duty register reports the duty the programmed curve gives at
// the current temperature.

#include "board/core/BoardState.h"

#include <cstdint>

namespace vboard {

constexpr uint16_t kSioConfigIndexPort = 0x2E;
constexpr uint16_t kSioConfigDataPort = 0x2F;
constexpr uint16_t kHwmIndexPort = 0x295;
constexpr uint16_t kHwmDataPort = 0x296;
constexpr uint8_t kHwmBankRegister = 0x4E;

// Chip families, told apart by the identifier's bits.
enum class ChipFamily { Chip667, Chip627DHG, Chip667Dot18 };
ChipFamily FamilyOf(uint16_t chipId);
uint16_t ChipId(const BoardState& state);

// CPU temperature in half degrees, as the chip reports it now.
unsigned CpuHalfDegrees(const BoardState& state);

// Hardware-monitor registers by bank * 256 + offset, the computed ones
// (temperature, fan duty) included.
uint8_t ReadMonitorRegister(const BoardState& state, uint32_t address);
void WriteMonitorRegister(BoardState& state, uint32_t address, uint8_t value);

// Byte port input and output; unknown ports read 0xFF and ignore writes.
uint8_t InPort(BoardState& state, uint16_t port);
void OutPort(BoardState& state, uint16_t port, uint8_t value);

} // namespace vboard
