#pragma once
// Chip family 667: curve layout A in bank 0 at 0x6F-0x7A, chassis fan
// duty in r3 with mode bits 0x30 of r4.

#include "hw/SmartFanLib.h"

namespace kelp {

class SmartFan667 : public SmartFanLib {
public:
    SmartFan667(SioAccessor& registers, SioLock& lock) : SmartFanLib(registers, lock) {}

    void SetCpuFanCurve(const FanCurve& curve) override;
    void ResetCpuFanCurve() override;
    void SetChassisFanCruise(uint8_t target, uint8_t tolerance) override;
    void RestoreChassisFan() override;
    void SetChassisFanOff() override;
    uint8_t ReadStatus() override;
    uint16_t ReadCpuTemperature() override;
};

} // namespace kelp
