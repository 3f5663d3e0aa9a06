#include "framework/access/TAccItem.h"

#include <algorithm>

HWND TAccItem::AccEventWindow(LONG& childId) const
{
    // Only an owner with a window of its own numbers its items.
    LONG ownerId = CHILDID_SELF;
    const HWND window = m_owner.AccEventWindow(ownerId);
    if (!window || ownerId != CHILDID_SELF)
        return nullptr;
    const auto siblings = m_owner.AccChildren();
    const auto it = std::find(siblings.begin(), siblings.end(), this);
    if (it == siblings.end())
        return nullptr;
    childId = static_cast<LONG>(it - siblings.begin()) + 1;
    return window;
}
