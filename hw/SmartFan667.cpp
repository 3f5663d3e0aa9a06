#include "hw/SmartFan667.h"

#include <windows.h>

namespace kelp {
namespace {
constexpr uint8_t kCurveFirst = 0x6F;
constexpr uint8_t kDutyRegister = 0x03;
constexpr uint8_t kTargetRegister = 0x06;
constexpr uint8_t kCruiseBits = 0x30;
constexpr uint8_t kKeepMask = 0xCF;
// The chip takes a curve only when its points change: a slightly raised
// curve first, then the exact one once the chip has latched it.
constexpr DWORD kLatchWaitMs = 100;
} // namespace

void SmartFan667::SetCpuFanCurve(const FanCurve& curve)
{
    Session session(*this);
    m_registers.SetBank(0);
    WriteRegisters(kCurveFirst, LayoutA(curve, 2).data(), 12);
    Sleep(kLatchWaitMs);
    WriteRegisters(kCurveFirst, LayoutA(curve, 0).data(), 12);
}

void SmartFan667::ResetCpuFanCurve()
{
    Session session(*this);
    m_registers.SetBank(0);
    for (uint8_t offset = kCurveFirst; offset < kCurveFirst + 6; ++offset)
        m_registers.WriteReg(offset, 0);
    for (uint8_t offset = kCurveFirst + 6; offset < kCurveFirst + 12; ++offset)
        m_registers.WriteReg(offset, 0xFF);
}

void SmartFan667::SetChassisFanCruise(uint8_t target, uint8_t tolerance)
{
    Session session(*this);
    CruiseSequence(kDutyRegister, kTargetRegister, target, tolerance, kCruiseBits);
}

void SmartFan667::RestoreChassisFan()
{
    Session session(*this);
    FixedDutySequence(kDutyRegister, 0xFF, kKeepMask, true);
}

void SmartFan667::SetChassisFanOff()
{
    Session session(*this);
    FixedDutySequence(kDutyRegister, 0, kKeepMask, true);
}

uint8_t SmartFan667::ReadStatus()
{
    Session session(*this);
    return ReadBank0(0x7B);
}

uint16_t SmartFan667::ReadCpuTemperature()
{
    Session session(*this);
    m_registers.SetBank(1);
    uint8_t degrees = m_registers.ReadReg(0x50);
    uint8_t half = m_registers.ReadReg(0x51) >> 7;
    return uint16_t(degrees * 2 | half);
}

} // namespace kelp
