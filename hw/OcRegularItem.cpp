#include "hw/OcRegularItem.h"

namespace kelp {

bool OcRegularItem::Apply()
{
    if (Pending() == Current())
        return true;
    return WritePendingAndRead();
}

} // namespace kelp
