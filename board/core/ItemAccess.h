#pragma once
// Item reads and writes as the board's firmware carries them out, shared by
// every simulated library so that they all behave alike.

#include "board/core/BoardState.h"

#include <cstdint>

namespace vboard {

// Forwards Super-I/O register accesses: written with (address, value),
// read with the address as argument; address = bank * 256 + offset.
constexpr uint32_t kSioRegisterItem = 0x11060009;

// Write modes of ordinary items: a plain write, or an enumerated item
// applying its pending value.
constexpr uint32_t kWritePlain = 1;
constexpr uint32_t kWritePending = 2;

// Live sensors (CpuSensors.h) read as they sense now, other items as stored.
bool ReadItem(const BoardState& state, uint32_t id, uint32_t& value);
bool ReadItemWithArgument(const BoardState& state, uint32_t id, uint32_t argument, uint32_t& value);

// Ordinary items: (value, mode); refused for unknown or read-only items,
// unknown modes and values outside the item's range.
bool WriteItem(BoardState& state, uint32_t id, uint32_t first, uint32_t second);

} // namespace vboard
