#include "framework/access/TAccessible.h"

#include "framework/access/TAccessibleObject.h"

namespace {

TAccTextLookup& ActionTexts()
{
    static TAccTextLookup lookup;
    return lookup;
}

bool Contains(const RECT& rect, POINT point)
{
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

} // namespace

TAccessible::~TAccessible()
{
    AccDetach();
}

void TAccessible::AccDetach()
{
    if (m_object) {
        m_object->Disconnect();
        m_object = nullptr;
    }
}

TAccessibleObject* TAccessible::AccObject()
{
    if (!m_object)
        m_object = new TAccessibleObject(*this);  // the node's reference, given back by Disconnect
    m_object->AddRef();
    return m_object;
}

void TAccessible::AccNotify(DWORD event) const
{
    LONG childId = CHILDID_SELF;
    if (HWND window = AccEventWindow(childId))
        NotifyWinEvent(event, window, OBJID_CLIENT, childId);
}

void SetAccActionTexts(TAccTextLookup lookup)
{
    ActionTexts() = std::move(lookup);
}

std::string AccActionText(TAccAction action)
{
    if (action == TAccAction::None || !ActionTexts())
        return {};
    return ActionTexts()(action);
}

TAccessible* AccHitTest(TAccessible& node, POINT screen)
{
    if ((node.AccState() & asInvisible) || !Contains(node.AccScreenRect(), screen))
        return nullptr;
    const auto children = node.AccChildren();
    // Later children lie above earlier ones.
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        if (TAccessible* hit = AccHitTest(**it, screen))
            return hit;
    return &node;
}
