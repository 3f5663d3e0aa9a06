#pragma once
// Chip family 667 revision 18: curve layout A in bank 10 at 0x51-0x5C,
// chassis fan duty in r1 with mode bits 0x0C of r4. With direct port
// access the firmware's Super-I/O gate item is opened before each
// operation.

#include "hw/SmartFanLib.h"

namespace kelp {

class SmartFan667Dot18 : public SmartFanLib {
public:
    // `throughBios`: registers are reached through the BIOS item, which
    // needs no settling waits. `gateSupported`: the board has the gate item.
    SmartFan667Dot18(SioAccessor& registers, SioLock& lock, bool throughBios, bool gateSupported)
        : SmartFanLib(registers, lock), m_throughBios(throughBios), m_gateSupported(gateSupported)
    {
    }

    void SetCpuFanCurve(const FanCurve& curve) override;
    void ResetCpuFanCurve() override;
    void SetChassisFanCruise(uint8_t target, uint8_t tolerance) override;
    void RestoreChassisFan() override;
    void SetChassisFanOff() override;
    uint8_t ReadStatus() override;
    uint16_t ReadCpuTemperature() override;

protected:
    void OnLocked() override;

private:
    // Layout A in bank 10 followed by the r6 step in bank 0.
    void WriteCurve(const FanCurve& curve, uint8_t raise);
    // The six temperature registers of layout A, exact.
    void WriteTemperatures(const FanCurve& curve);
    void SettleWait() const;

    bool m_throughBios;
    bool m_gateSupported;
};

} // namespace kelp
