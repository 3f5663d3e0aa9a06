#include "hw/SioAccessor.h"

namespace kelp {

void SioAccessor::WriteWord(uint8_t offset, uint16_t value)
{
    WriteReg(offset, uint8_t(value));
    WriteReg(uint8_t(offset + 1), uint8_t(value >> 8));
}

uint16_t SioAccessor::ReadWord(uint8_t offset)
{
    uint8_t low = ReadReg(offset);
    return uint16_t(low | ReadReg(uint8_t(offset + 1)) << 8);
}

} // namespace kelp
