#include "hw/SioAccessorDirect.h"

namespace kelp {
namespace {
constexpr uint16_t kIndexPort = 0x295;
constexpr uint16_t kDataPort = 0x296;
constexpr uint8_t kBankRegister = 0x4E;
} // namespace

void SioAccessorDirect::SetBank(uint8_t bank)
{
    WriteReg(kBankRegister, bank);
}

uint8_t SioAccessorDirect::GetBank()
{
    return ReadReg(kBankRegister);
}

void SioAccessorDirect::WriteReg(uint8_t offset, uint8_t value)
{
    m_ports.OutPortB(kIndexPort, offset);
    m_ports.OutPortB(kDataPort, value);
}

uint8_t SioAccessorDirect::ReadReg(uint8_t offset)
{
    m_ports.OutPortB(kIndexPort, offset);
    return m_ports.InPortB(kDataPort);
}

} // namespace kelp
