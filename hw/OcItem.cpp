#include "hw/OcItem.h"

#include "kelp/vantor/BiosInterface.h"
#include "kelp/vantor/BiosItems.h"

namespace kelp {
namespace {
constexpr uint32_t kApplyPendingMode = 2;
}

uint16_t OcItem::Number() const
{
    return ItemNumber(Id());
}

bool OcItem::Read()
{
    uint32_t value = 0;
    if (!GetItem(Id(), value))
        return false;
    m_pending = m_current = int32_t(value);
    return true;
}

bool OcItem::WritePendingAndRead()
{
    if (!(SetItemMode(Id(), uint32_t(m_pending), kApplyPendingMode) & 1))
        return false;
    return Read();
}

} // namespace kelp
