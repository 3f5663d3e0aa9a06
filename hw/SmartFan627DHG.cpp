#include "hw/SmartFan627DHG.h"

#include <windows.h>

namespace kelp {
namespace {
constexpr uint8_t kCurveBank = 1;
constexpr uint8_t kTempFirst = 0x58;  // T1, T2, T3
constexpr uint8_t kDutyFirst = 0x5B;  // D1, D2, D3
constexpr uint8_t kCommitRegister = 0x5E;
constexpr uint8_t kCommitStart = 0x2E;
constexpr uint8_t kCommitEnd = 0x22;
constexpr DWORD kCommitWaitMs = 50;
} // namespace

void SmartFan627DHG::WriteLayoutB(const FanCurve& curve)
{
    FanCurve c = LimitCurve(curve);
    const uint8_t values[6] = {c[0], c[2], c[4], c[1], c[3], c[5]};
    for (int i = 0; i < 6; ++i) {
        m_registers.SetBank(kCurveBank);
        m_registers.WriteReg(uint8_t(kTempFirst + i), values[i]);
    }
    m_registers.SetBank(kCurveBank);
    m_registers.WriteReg(kCommitRegister, kCommitStart);
    Sleep(kCommitWaitMs);
    m_registers.SetBank(kCurveBank);
    m_registers.WriteReg(kCommitRegister, kCommitEnd);
}

void SmartFan627DHG::SetCpuFanCurve(const FanCurve& curve)
{
    Session session(*this);
    WriteLayoutB(curve);
}

void SmartFan627DHG::ResetCpuFanCurve()
{
    Session session(*this);
    // Temperatures 0 and full duty at every point: the fan runs flat out.
    WriteLayoutB({0, 0xFF, 0, 0xFF, 0, 0xFF});
}

void SmartFan627DHG::SetChassisFanCruise(uint8_t target, uint8_t tolerance)
{
    Session session(*this);
    CruiseSequence(0x03, 0x06, target, tolerance, 0x30);
}

void SmartFan627DHG::RestoreChassisFan()
{
    Session session(*this);
    FixedDutySequence(0x01, 0xFF, 0xF3, false);
}

void SmartFan627DHG::SetChassisFanOff()
{
    Session session(*this);
    FixedDutySequence(0x01, 0, 0xF3, false);
}

uint8_t SmartFan627DHG::ReadStatus()
{
    Session session(*this);
    return ReadBank0(0x7B);
}

uint16_t SmartFan627DHG::ReadCpuTemperature()
{
    Session session(*this);
    return uint16_t(ReadBank0(0x7D) * 2);
}

} // namespace kelp
