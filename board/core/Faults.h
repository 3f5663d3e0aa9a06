#pragma once
// Knobs of a profile's [knobs] section that make the firmware slow or make
// single items misbehave, so tests can reach the program's failure paths:
//   acpi.delay_ms = N            every ACPI library call takes N ms longer
//   sio.delay_ms  = N            every Super-I/O register access takes N ms
//                                longer, by ports or through the BIOS item
//   fail.read     = id|id|...    reads of these items fail (they stay listed)
//   fail.write    = id|id|...    writes of these items fail

#include "board/core/BoardState.h"

#include <cstdint>

namespace vboard {

bool ReadFails(const BoardState& state, uint32_t id);
bool WriteFails(const BoardState& state, uint32_t id);
uint32_t CallDelayMs(const BoardState& state);
uint32_t SioAccessDelayMs(const BoardState& state);
// An ACPI call on the item: the call delay, and the Super-I/O delay for
// the register access item.
uint32_t ItemCallDelayMs(const BoardState& state, uint32_t id);

} // namespace vboard
