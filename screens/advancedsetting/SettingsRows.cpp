#include "screens/advancedsetting/SettingsRows.h"

#include "engine/ModeModel.h"

namespace advancedsetting {

namespace {

// Columns: CPU frequency, vCore, load line, chipset, fan, disk, nap,
// graphics frequency. The nap column is replaced by the nap feature.
constexpr std::array<std::array<bool, 8>, kTabCount> kTable{{
    {true, false, false, false, false, true, true, true},
    {false, false, false, false, false, true, true, false},
    {true, true, true, true, true, true, true, false},
    {true, true, true, true, true, true, true, false},
}};

constexpr Row kOptionRows[kOptionRowCount] = {Row::VCore, Row::LoadLine, Row::Chipset,
                                              Row::Fan,   Row::Disk,     Row::Nap};

} // namespace

int TabForLevel(int level)
{
    switch (level) {
    case GearLevel::HighPerformance:
        return ModeIndex::HighPerformance;
    case GearLevel::MediumSaving:
        return ModeIndex::Medium;
    case GearLevel::MaxSaving:
        return ModeIndex::Low;
    default:
        return ModeIndex::Turbo;
    }
}

bool RowEnables::IsEnabled(int tab, Row row) const
{
    if (tab < 0 || tab >= kTabCount)
        return false;
    if (row == Row::Nap)
        return napAvailable_;
    return kTable[tab][static_cast<int>(row)];
}

bool RowEnables::IsEnabled(int tab, OptionRowId row) const
{
    return row >= 0 && row < kOptionRowCount && IsEnabled(tab, kOptionRows[row]);
}

} // namespace advancedsetting
