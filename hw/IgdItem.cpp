#include "hw/IgdItem.h"

#include "kelp/vantor/BiosInterface.h"

namespace kelp {

bool IgdItem::Apply()
{
    uint32_t value = 0;
    if (!GetItem(Id(), value))
        return false;
    if (int32_t(value) == Pending())
        return true;
    return WritePendingAndRead();
}

} // namespace kelp
