#pragma once
// Keyboard focus movement as in standard dialogs: Tab and Shift+Tab visit
// the tab stops of a window in reading order, a group of controls (the
// same non-zero TabGroup under one parent) counting as one stop entered at
// its current member; the arrow keys move within a group.

#include "framework/TWinControl.h"

#include <vector>

// The controls Tab visits below root, in reading order (top to bottom,
// then left to right), one per group: the member given as current, else
// the group's current member, else its first.
std::vector<TWinControl*> TabStops(TWinControl& root, const TWinControl* current = nullptr);
// The stop after (or before) current, wrapping; the first (or last) when
// current is none of them. Null when there is no stop.
TWinControl* NextTabStop(TWinControl& root, const TWinControl* current, bool forward);
// The stop Tab gives control: control itself outside a group, else its
// group's current member; null when control is no tab stop below root.
TWinControl* StopFor(TWinControl& root, const TWinControl& control);
// The member of current's group after (or before) it in reading order,
// wrapping; null outside a group or alone in it.
TWinControl* NextInGroup(const TWinControl& current, bool forward);
