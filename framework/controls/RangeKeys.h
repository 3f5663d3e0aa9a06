#pragma once
// The keys of a slider, as a standard track bar takes them: Left and Up one
// step down, Right and Down one step up, Page Up and Page Down a page (a
// tenth of the range, at least one step), Home and End the ends.

#include <windows.h>

#include <optional>

// The position the key moves to from position in min..max, clamped; none
// for a key that is not a slider's.
std::optional<int> RangeKeyTarget(WORD key, int position, int min, int max);
