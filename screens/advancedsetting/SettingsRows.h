#pragma once
// The tabs of the advanced settings and the rows on them, and which rows
// the user may change on which tab.

#include <array>

namespace advancedsetting {

// Tabs are numbered like the modes they edit: Turbo, High Performance,
// Medium Power Saving, Max Power Saving.
inline constexpr int kTabCount = 4;

// The drop-down rows, in the order the form builds them.
enum OptionRowId { VCoreRow, LoadLineRow, ChipsetRow, FanRow, DiskRow, NapRow, kOptionRowCount };

// Every row of the form, for the enable table.
enum class Row { CpuFrequency, VCore, LoadLine, Chipset, Fan, Disk, Nap, GpuFrequency };

// The tab that opens first while the mode with this gear level runs;
// Turbo, Auto and unknown levels open the Turbo tab.
int TabForLevel(int level);

// Which rows can be changed on which tab. The nap column depends on the
// nap feature, which can come and go while the program runs.
class RowEnables {
public:
    void SetNapAvailable(bool available) { napAvailable_ = available; }
    bool NapAvailable() const { return napAvailable_; }
    // False for a tab outside 0-3.
    bool IsEnabled(int tab, Row row) const;
    bool IsEnabled(int tab, OptionRowId row) const;

private:
    bool napAvailable_ = false;
};

} // namespace advancedsetting
