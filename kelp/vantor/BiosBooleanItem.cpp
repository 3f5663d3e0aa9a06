#include "kelp/vantor/BiosBooleanItem.h"

namespace kelp {

bool BiosBooleanItem::Parse(const void*& cursor, uint32_t& remaining)
{
    BiosItem::Parse(cursor, remaining);
    return remaining != 0;
}

} // namespace kelp
