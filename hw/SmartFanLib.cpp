#include "hw/SmartFanLib.h"

#include <algorithm>

namespace kelp {
namespace {
constexpr uint8_t kModeRegister = 0x04;
constexpr uint8_t kToleranceRegister = 0x68;
constexpr uint8_t kCruiseDuty = 0x9B;
} // namespace

FanCurve LimitCurve(const FanCurve& curve)
{
    FanCurve limited = curve;
    for (int i = 0; i < 6; i += 2)
        limited[i] = std::min(limited[i], kMaxCurveTemperature);
    return limited;
}

SmartFanLib::Session::Session(SmartFanLib& chip) : m_chip(chip)
{
    m_chip.m_lock.Lock();
    m_chip.OnLocked();
    m_savedBank = m_chip.m_registers.GetBank();
}

SmartFanLib::Session::~Session()
{
    m_chip.m_registers.SetBank(m_savedBank);
    m_chip.m_lock.Unlock();
}

uint8_t SmartFanLib::ReadBank0(uint8_t offset)
{
    m_registers.SetBank(0);
    return m_registers.ReadReg(offset);
}

void SmartFanLib::WriteReg3(uint8_t value)
{
    Session session(*this);
    m_registers.SetBank(0);
    m_registers.WriteReg(0x03, value);
}

uint8_t SmartFanLib::ReadReg3()
{
    Session session(*this);
    return ReadBank0(0x03);
}

uint8_t SmartFanLib::ReadReg1()
{
    Session session(*this);
    return ReadBank0(0x01);
}

std::array<uint8_t, 12> SmartFanLib::LayoutA(const FanCurve& curve, uint8_t raise)
{
    FanCurve c = LimitCurve(curve);
    uint8_t t1 = uint8_t(c[0] + raise), t2 = uint8_t(c[2] + raise), t3 = uint8_t(c[4] + raise);
    uint8_t d1 = c[1], d2 = c[3], d3 = c[5];
    return {t1, uint8_t((t1 + t2) / 2), t2, uint8_t((t2 + t3) / 2), t3, uint8_t(t3 + 1),
            d1, uint8_t((d1 + d2) / 2), d2, uint8_t((d2 + d3) / 2), d3, 0xFF};
}

void SmartFanLib::WriteRegisters(uint8_t first, const uint8_t* values, int count)
{
    for (int i = 0; i < count; ++i)
        m_registers.WriteReg(uint8_t(first + i), values[i]);
}

void SmartFanLib::CruiseSequence(uint8_t dutyRegister, uint8_t targetRegister, uint8_t target, uint8_t tolerance,
                                 uint8_t enableBits)
{
    m_registers.SetBank(0);
    uint8_t saved = m_registers.ReadReg(kModeRegister);
    m_registers.WriteReg(kModeRegister, 0);
    m_registers.WriteReg(dutyRegister, kCruiseDuty);
    m_registers.WriteReg(targetRegister, target);
    m_registers.WriteReg(kToleranceRegister, tolerance);
    m_registers.WriteReg(kModeRegister, uint8_t(saved | enableBits));
}

void SmartFanLib::FixedDutySequence(uint8_t dutyRegister, uint8_t duty, uint8_t keepMask, bool clearMode)
{
    m_registers.SetBank(0);
    uint8_t saved = m_registers.ReadReg(kModeRegister);
    if (clearMode)
        m_registers.WriteReg(kModeRegister, 0);
    m_registers.WriteReg(dutyRegister, duty);
    m_registers.WriteReg(kModeRegister, uint8_t(saved & keepMask));
}

} // namespace kelp
