#include "board/core/BoardItem.h"

namespace vboard {

ItemKind KindOf(uint32_t id)
{
    switch ((id >> 16) & 0xF) {
    case 7: return ItemKind::Boolean;
    case 8: return ItemKind::String;
    default: return ItemKind::Number;
    }
}

const char* KindName(ItemKind kind)
{
    switch (kind) {
    case ItemKind::Boolean: return "boolean";
    case ItemKind::String: return "string";
    default: return "number";
    }
}

uint32_t BoardItem::ValueCount() const
{
    switch (Kind()) {
    case ItemKind::Boolean: return 2;
    case ItemKind::String: return uint32_t(texts.size());
    default: return count == 0 ? 0 : count + uint32_t(texts.size());
    }
}

bool BoardItem::Accepts(uint32_t candidate) const
{
    uint32_t limit = ValueCount();
    return limit == 0 || candidate < limit;
}

} // namespace vboard
