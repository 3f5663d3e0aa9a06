#pragma once
// Chip family 627DHG: curve layout B in bank 1 at 0x58-0x5D, committed
// through 0x5E; chassis cruise as family 667, fixed duty in r1.

#include "hw/SmartFanLib.h"

namespace kelp {

class SmartFan627DHG : public SmartFanLib {
public:
    SmartFan627DHG(SioAccessor& registers, SioLock& lock) : SmartFanLib(registers, lock) {}

    void SetCpuFanCurve(const FanCurve& curve) override;
    void ResetCpuFanCurve() override;
    void SetChassisFanCruise(uint8_t target, uint8_t tolerance) override;
    void RestoreChassisFan() override;
    void SetChassisFanOff() override;
    uint8_t ReadStatus() override;
    uint16_t ReadCpuTemperature() override;

private:
    // Layout B: the six points, each write in bank 1, then the commit.
    void WriteLayoutB(const FanCurve& curve);
};

} // namespace kelp
