#pragma once
// The hardware-monitor chip driver: programs the CPU fan curve and the
// chassis fan through a register accessor. Every operation holds the
// Super-I/O lock and leaves the chip in the bank it found it in.

#include "hw/FanCurve.h"
#include "hw/SioAccessor.h"
#include "hw/SioLock.h"

#include <cstdint>

namespace kelp {

class SmartFanLib {
public:
    SmartFanLib(const SmartFanLib&) = delete;
    SmartFanLib& operator=(const SmartFanLib&) = delete;

    virtual void SetCpuFanCurve(const FanCurve& curve) = 0;
    virtual void ResetCpuFanCurve() = 0;
    virtual void SetChassisFanCruise(uint8_t target, uint8_t tolerance) = 0;
    virtual void RestoreChassisFan() = 0;
    virtual void SetChassisFanOff() = 0;
    virtual uint8_t ReadStatus() = 0;
    // Half degrees.
    virtual uint16_t ReadCpuTemperature() = 0;
    virtual void WriteReg3(uint8_t value);
    virtual uint8_t ReadReg3();
    virtual uint8_t ReadReg1();

protected:
    SmartFanLib(SioAccessor& registers, SioLock& lock) : m_registers(registers), m_lock(lock) {}
    // Chip drivers live as long as the process; nobody deletes one through this class.
    ~SmartFanLib() = default;

    // One chip operation: lock, OnLocked, bank saved; restored and unlocked
    // at the end of the scope.
    class Session {
    public:
        explicit Session(SmartFanLib& chip);
        ~Session();
        Session(const Session&) = delete;
        Session& operator=(const Session&) = delete;

    private:
        SmartFanLib& m_chip;
        uint8_t m_savedBank;
    };

    // Called right after the lock is taken, before the bank is read.
    virtual void OnLocked() {}

    // Bank 0 register read or write within a session.
    uint8_t ReadBank0(uint8_t offset);

    // Curve layout A, twelve consecutive registers: T1, (T1+T2)/2, T2,
    // (T2+T3)/2, T3, T3+1, D1, (D1+D2)/2, D2, (D2+D3)/2, D3, 0xFF, with
    // every T raised by `raise` after the cut to 100 (8-bit arithmetic).
    static std::array<uint8_t, 12> LayoutA(const FanCurve& curve, uint8_t raise);
    // `count` values to consecutive registers from `first` in the selected bank.
    void WriteRegisters(uint8_t first, const uint8_t* values, int count);

    // Chassis fan sequences in bank 0 (within a session). Cruise: r4 saved
    // and cleared, `dutyRegister` = 0x9B, `targetRegister` = target,
    // r0x68 = tolerance, r4 = saved OR `enableBits`. Fixed duty: r4 saved
    // (and cleared when `clearMode`), `dutyRegister` = duty, r4 = saved AND
    // `keepMask`.
    void CruiseSequence(uint8_t dutyRegister, uint8_t targetRegister, uint8_t target, uint8_t tolerance,
                        uint8_t enableBits);
    void FixedDutySequence(uint8_t dutyRegister, uint8_t duty, uint8_t keepMask, bool clearMode);

    SioAccessor& m_registers;
    SioLock& m_lock;
};

// Temperatures cut to the highest the chip takes.
FanCurve LimitCurve(const FanCurve& curve);

} // namespace kelp
