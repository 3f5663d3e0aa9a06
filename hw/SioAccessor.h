#pragma once
// Access to the hardware-monitor registers of the Super-I/O chip, one
// register bank at a time.

#include <cstdint>

namespace kelp {

class SioAccessor {
public:
    virtual ~SioAccessor() = default;

    virtual void SetBank(uint8_t bank) = 0;
    virtual uint8_t GetBank() = 0;
    virtual void WriteReg(uint8_t offset, uint8_t value) = 0;
    virtual uint8_t ReadReg(uint8_t offset) = 0;
    // Low byte at offset, high byte at offset + 1.
    virtual void WriteWord(uint8_t offset, uint16_t value);
    virtual uint16_t ReadWord(uint8_t offset);
};

} // namespace kelp
