#include "hw/SmartFan667Dot18.h"

#include "hw/AbsVentryLib.h"
#include "kelp/vantor/BiosItems.h"

#include <windows.h>

namespace kelp {
namespace {
constexpr uint8_t kCurveBank = 10;
constexpr uint8_t kCurveFirst = 0x51;
constexpr uint8_t kDutyRegister = 0x01;
constexpr uint8_t kTargetRegister = 0x05;
constexpr uint8_t kCruiseBits = 0x0C;
constexpr uint8_t kKeepMask = 0xF3;
constexpr uint8_t kStepRegister = 0x06;
constexpr uint8_t kStepLow = 0x32;
constexpr uint8_t kStepHigh = 0x2D;
constexpr DWORD kLatchWaitMs = 100;
} // namespace

void SmartFan667Dot18::OnLocked()
{
    if (!m_gateSupported || m_throughBios)
        return;
    if (AbsVentryLib* fans = AbsVentryLib::Registered())
        fans->SetItem(BiosItemId::kSioDirectGate, 0, 1);
}

void SmartFan667Dot18::SettleWait() const
{
    if (!m_throughBios)
        Sleep(kLatchWaitMs);
}

void SmartFan667Dot18::WriteCurve(const FanCurve& curve, uint8_t raise)
{
    m_registers.SetBank(kCurveBank);
    WriteRegisters(kCurveFirst, LayoutA(curve, raise).data(), 12);
    uint8_t step = ReadBank0(kStepRegister);
    m_registers.WriteReg(kStepRegister, step < kStepLow ? kStepLow : kStepHigh);
}

void SmartFan667Dot18::WriteTemperatures(const FanCurve& curve)
{
    m_registers.SetBank(kCurveBank);
    WriteRegisters(kCurveFirst, LayoutA(curve, 0).data(), 6);
}

void SmartFan667Dot18::SetCpuFanCurve(const FanCurve& curve)
{
    Session session(*this);
    WriteCurve(curve, 2);
    SettleWait();
    WriteTemperatures(curve);
}

void SmartFan667Dot18::ResetCpuFanCurve()
{
    Session session(*this);
    WriteCurve({2, 255, 2, 255, 2, 255}, 0);
    SettleWait();
    WriteTemperatures({0, 0, 0, 0, 0, 0});
}

void SmartFan667Dot18::SetChassisFanCruise(uint8_t target, uint8_t tolerance)
{
    Session session(*this);
    CruiseSequence(kDutyRegister, kTargetRegister, target, tolerance, kCruiseBits);
}

void SmartFan667Dot18::RestoreChassisFan()
{
    Session session(*this);
    FixedDutySequence(kDutyRegister, 0xFF, kKeepMask, true);
}

void SmartFan667Dot18::SetChassisFanOff()
{
    Session session(*this);
    FixedDutySequence(kDutyRegister, 0, kKeepMask, true);
}

uint8_t SmartFan667Dot18::ReadStatus()
{
    Session session(*this);
    return ReadBank0(0x76);
}

uint16_t SmartFan667Dot18::ReadCpuTemperature()
{
    Session session(*this);
    m_registers.SetBank(1);
    return uint16_t(m_registers.ReadReg(0x50) * 2);
}

} // namespace kelp
