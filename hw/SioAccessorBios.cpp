#include "hw/SioAccessorBios.h"

#include "framework/system/Trace.h"
#include "kelp/vantor/BiosInterface.h"
#include "kelp/vantor/BiosItems.h"

namespace kelp {

SioAccessorBios::SioAccessorBios()
{
    InitInterface();
}

void SioAccessorBios::SetBank(uint8_t bank)
{
    Trace("Change Bank to %d", bank);
    m_bank = bank;
}

void SioAccessorBios::WriteReg(uint8_t offset, uint8_t value)
{
    SetItemMode(BiosItemId::kSioRegister, Address(offset), value);
}

uint8_t SioAccessorBios::ReadReg(uint8_t offset)
{
    uint32_t value = 0;
    GetItemArg(BiosItemId::kSioRegister, Address(offset), value);
    Trace("Bank:%d  offset:%d value:%d", m_bank, offset, value);
    return uint8_t(value);
}

} // namespace kelp
