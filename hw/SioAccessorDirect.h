#pragma once
// Register access through the chip's hardware-monitor index/data ports
// (0x295/0x296) with port I/O; the bank is register 0x4E.

#include "hw/SioAccessor.h"
#include "hw/VtIoLibrary.h"

namespace kelp {

class SioAccessorDirect : public SioAccessor {
public:
    explicit SioAccessorDirect(const VtIoLibrary& ports) : m_ports(ports) {}

    void SetBank(uint8_t bank) override;
    uint8_t GetBank() override;
    void WriteReg(uint8_t offset, uint8_t value) override;
    uint8_t ReadReg(uint8_t offset) override;

private:
    const VtIoLibrary& m_ports;
};

} // namespace kelp
