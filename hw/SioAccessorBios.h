#pragma once
// Register access forwarded by the firmware through BIOS item 0x11060009:
// address = bank * 256 + offset. The bank is only remembered here.

#include "hw/SioAccessor.h"

namespace kelp {

class SioAccessorBios : public SioAccessor {
public:
    SioAccessorBios(); // initialises the ACPI interface

    void SetBank(uint8_t bank) override;
    uint8_t GetBank() override { return m_bank; }
    void WriteReg(uint8_t offset, uint8_t value) override;
    uint8_t ReadReg(uint8_t offset) override;

private:
    uint32_t Address(uint8_t offset) const { return uint32_t(m_bank) * 256 + offset; }

    uint8_t m_bank = 0;
};

} // namespace kelp
