#pragma once
// A mode's record as the rows of its tab show it, and back. Stored values
// that no row can show land on the nearest position or entry; only a row
// the user changed (and the tab lets the user change) gives its value to
// the record, every other row leaves the record's own value untouched.

#include "engine/ModeTuning.h"
#include "screens/advancedsetting/SettingsFacts.h"

#include <array>

namespace advancedsetting {

struct RowValues {
    int cpu = 0; // slider positions
    int gpu = 0;
    std::array<int, kOptionRowCount> choice{}; // entry indices

    bool operator==(const RowValues&) const = default;
};

RowValues LoadRows(const ModeTuning& record, int tab, const SettingsFacts& facts);
// `record` is what the rows were loaded from, and supplies what the user
// did not change.
ModeTuning ReadRows(const RowValues& rows, const ModeTuning& record, int tab, const SettingsFacts& facts);
// The rows of the tab the user may change with these facts.
RowEnables EnablesFor(const SettingsFacts& facts);

} // namespace advancedsetting
