#include "screens/advancedsetting/RowValues.h"

#include "engine/ModeModel.h"
#include "screens/advancedsetting/ChoiceLists.h"

#include <algorithm>
#include <utility>

namespace advancedsetting {

namespace {

constexpr uint32_t kMsPerSecond = 1000;

int Clamp(int64_t value, int min, int max)
{
    return static_cast<int>(std::clamp<int64_t>(value, min, std::max(min, max)));
}

// A list index at or past the end shows the last entry.
int ListIndex(uint32_t stored, OptionRowId row, int tab, const SettingsFacts& facts)
{
    const int count = ChoiceCount(row, tab, facts);
    return static_cast<int>(std::min<uint32_t>(stored, count > 0 ? count - 1 : 0));
}

int TimeIndex(int32_t seconds, OptionRowId row, const SettingsFacts& facts)
{
    return TimeEntryFor(seconds, TimeRowHasOneMinute(row, facts));
}

int CpuStoreOffset(const SettingsFacts& facts)
{
    return facts.phaseGroup == kZeroBasedPhaseGroup ? 0 : 1;
}

int GraphicsBaseOn(int tab, const SettingsFacts& facts)
{
    return tab == ModeIndex::Turbo ? facts.graphics.base : 0;
}

} // namespace

RowValues LoadRows(const ModeTuning& record, int tab, const SettingsFacts& facts)
{
    RowValues rows;
    const FrequencyScale& scale = facts.cpu[tab];
    rows.cpu = Clamp(static_cast<int64_t>(record.Fsb) - CpuStoreOffset(facts), scale.min, scale.max);
    if (facts.graphics.present) {
        // Only Turbo has a graphics setting of its own; the other tabs show
        // the one in force.
        const int64_t setting = tab == ModeIndex::Turbo
                                    ? int64_t{facts.graphics.base} + static_cast<int32_t>(record.GpuFreq)
                                    : facts.graphics.current;
        rows.gpu = Clamp(setting, 0, facts.graphics.settings - 1);
    }
    rows.choice[VCoreRow] = ListIndex(record.vCore, VCoreRow, tab, facts);
    rows.choice[LoadLineRow] = ListIndex(record.LoadLine, LoadLineRow, tab, facts);
    rows.choice[ChipsetRow] = ListIndex(record.NbVolt, ChipsetRow, tab, facts);
    rows.choice[FanRow] = ListIndex(record.Fan, FanRow, tab, facts);
    rows.choice[DiskRow] = TimeIndex(static_cast<int32_t>(record.SpinDownTimeout), DiskRow, facts);
    rows.choice[NapRow] = facts.napAvailable
                              ? TimeIndex(static_cast<int32_t>(record.DozlaIdleTimeout) / int32_t{kMsPerSecond},
                                          NapRow, facts)
                              : 0;
    return rows;
}

RowEnables EnablesFor(const SettingsFacts& facts)
{
    RowEnables enables;
    enables.SetNapAvailable(facts.napAvailable);
    return enables;
}

ModeTuning ReadRows(const RowValues& rows, const ModeTuning& record, int tab, const SettingsFacts& facts)
{
    const RowEnables enables = EnablesFor(facts);
    // A row still showing what the record shows gives the record's value
    // back: a stored value no row can show must not turn into the nearest
    // one the row has just because another row changed.
    const RowValues shown = LoadRows(record, tab, facts);
    ModeTuning out = record;
    if (enables.IsEnabled(tab, Row::CpuFrequency) && rows.cpu != shown.cpu)
        out.Fsb = static_cast<uint32_t>(rows.cpu + CpuStoreOffset(facts));
    if (facts.graphics.present && enables.IsEnabled(tab, Row::GpuFrequency) && rows.gpu != shown.gpu)
        out.GpuFreq = static_cast<uint32_t>(rows.gpu - GraphicsBaseOn(tab, facts));
    const auto changed = [&](OptionRowId row) {
        return enables.IsEnabled(tab, row) && rows.choice[row] != shown.choice[row];
    };
    const std::pair<OptionRowId, uint32_t*> indexRows[] = {
        {VCoreRow, &out.vCore}, {LoadLineRow, &out.LoadLine}, {ChipsetRow, &out.NbVolt}, {FanRow, &out.Fan}};
    for (auto [row, field] : indexRows)
        if (changed(row))
            *field = static_cast<uint32_t>(rows.choice[row]);
    if (changed(DiskRow))
        out.SpinDownTimeout = TimeEntrySeconds(rows.choice[DiskRow], TimeRowHasOneMinute(DiskRow, facts));
    if (changed(NapRow))
        out.DozlaIdleTimeout =
            TimeEntrySeconds(rows.choice[NapRow], TimeRowHasOneMinute(NapRow, facts)) * kMsPerSecond;
    return out;
}

} // namespace advancedsetting
