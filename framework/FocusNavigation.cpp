#include "framework/FocusNavigation.h"

#include <algorithm>

namespace {

bool Focusable(const TWinControl& control)
{
    return control.TabStop() && control.CanFocus();
}

POINT PlaceInRoot(const TControl& control)
{
    POINT place{control.Left(), control.Top()};
    for (const TWinControl* parent = control.Parent(); parent && parent->Parent(); parent = parent->Parent()) {
        place.x += parent->Left();
        place.y += parent->Top();
    }
    return place;
}

void InReadingOrder(std::vector<TWinControl*>& controls)
{
    std::stable_sort(controls.begin(), controls.end(), [](const TWinControl* a, const TWinControl* b) {
        const POINT pa = PlaceInRoot(*a), pb = PlaceInRoot(*b);
        return pa.y != pb.y ? pa.y < pb.y : pa.x < pb.x;
    });
}

void Collect(const TWinControl& parent, std::vector<TWinControl*>& found)
{
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* control = parent.Controls(i);
        if (!control->IsWindowed() || !control->Visible())
            continue;
        auto* windowed = static_cast<TWinControl*>(control);
        if (Focusable(*windowed))
            found.push_back(windowed);
        Collect(*windowed, found);
    }
}

bool SameGroup(const TWinControl& a, const TWinControl& b)
{
    return a.TabGroup() != 0 && a.TabGroup() == b.TabGroup() && a.Parent() == b.Parent();
}

} // namespace

std::vector<TWinControl*> TabStops(TWinControl& root, const TWinControl* current)
{
    std::vector<TWinControl*> all;
    Collect(root, all);
    InReadingOrder(all);
    std::vector<TWinControl*> stops;
    for (TWinControl* control : all) {
        if (control->TabGroup() == 0) {
            stops.push_back(control);
            continue;
        }
        const auto member = std::find_if(stops.begin(), stops.end(),
                                         [&](const TWinControl* stop) { return SameGroup(*stop, *control); });
        if (member == stops.end())
            stops.push_back(control);
        else if (control == current || (*member != current && control->IsGroupCurrent() && !(*member)->IsGroupCurrent()))
            *member = control;
    }
    return stops;
}

TWinControl* StopFor(TWinControl& root, const TWinControl& control)
{
    for (TWinControl* stop : TabStops(root))
        if (stop == &control || SameGroup(*stop, control))
            return stop;
    return nullptr;
}

TWinControl* NextTabStop(TWinControl& root, const TWinControl* current, bool forward)
{
    const auto stops = TabStops(root, current);
    if (stops.empty())
        return nullptr;
    const auto it = std::find(stops.begin(), stops.end(), current);
    if (it == stops.end())
        return forward ? stops.front() : stops.back();
    const size_t index = static_cast<size_t>(it - stops.begin());
    const size_t count = stops.size();
    return stops[(index + (forward ? 1 : count - 1)) % count];
}

TWinControl* NextInGroup(const TWinControl& current, bool forward)
{
    const TWinControl* parent = current.Parent();
    if (current.TabGroup() == 0 || !parent)
        return nullptr;
    std::vector<TWinControl*> members;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* control = parent->Controls(i);
        if (!control->IsWindowed())
            continue;
        auto* windowed = static_cast<TWinControl*>(control);
        if ((windowed == &current || SameGroup(*windowed, current)) && windowed->CanFocus())
            members.push_back(windowed);
    }
    InReadingOrder(members);
    const auto it = std::find(members.begin(), members.end(), &current);
    if (members.size() < 2 || it == members.end())
        return nullptr;
    const size_t index = static_cast<size_t>(it - members.begin());
    const size_t count = members.size();
    return members[(index + (forward ? 1 : count - 1)) % count];
}
