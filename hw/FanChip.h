#pragma once
// The process-wide chip driver and its register access, both set up on
// first use: the port-I/O library is loaded, the Super-I/O lock opened,
// the chip identifier read and the driver for its family chosen.

#include "hw/SioAccessor.h"
#include "hw/SioLock.h"
#include "hw/SmartFanLib.h"
#include "hw/VtIoLibrary.h"

#include <cstdint>

namespace kelp {

enum class FanChipKind { SmartFan667, SmartFan627DHG, SmartFan667Dot18 };
FanChipKind SelectFanChip(uint16_t chipId);

// The identifier from configuration registers 0x20 (high) and 0x21 (low),
// read in configuration mode under the lock.
uint16_t ReadChipId(const VtIoLibrary& ports, SioLock& lock);

// Through the BIOS item when the registered fan library reports it
// supported, else port I/O; decided once.
bool FanRegistersThroughBios();
SioAccessor& FanRegisters();

SmartFanLib& FanChip();

} // namespace kelp
