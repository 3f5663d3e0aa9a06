#include "screens/advancedsetting/ChoiceLists.h"

#include "engine/ModeModel.h"
#include "kelp/System/Language.h"

namespace advancedsetting {

namespace {

// The voltage rows have nothing to choose on the performance tabs.
bool IsPerformanceTab(int tab)
{
    return tab == ModeIndex::Turbo || tab == ModeIndex::HighPerformance;
}

std::vector<const char*> Levels(int tab, int steps, const char* low, const char* middle, const char* high)
{
    if (IsPerformanceTab(tab))
        return {LANG_KEY("OFF")};
    if (steps == 2)
        return {low, high};
    return {low, middle, high};
}

} // namespace

std::vector<const char*> ChoiceKeys(OptionRowId row, int tab, const SettingsFacts& facts)
{
    switch (row) {
    case VCoreRow:
        return Levels(tab, facts.vCoreSteps, LANG_KEY("Small"), LANG_KEY("Medium"), LANG_KEY("High"));
    case LoadLineRow:
        return Levels(tab, facts.loadLineSteps, LANG_KEY("Light"), "Medium", LANG_KEY("Heavy"));
    case ChipsetRow:
        return {LANG_KEY("Off"), LANG_KEY("On")};
    case FanRow:
        if (tab == ModeIndex::Medium)
            return {LANG_KEY("KeepBIOSSetting"), LANG_KEY("Slow")};
        if (tab == ModeIndex::Low)
            return {"KeepBIOSSetting", LANG_KEY("Quiet")};
        return {"KeepBIOSSetting"};
    case NapRow:
        if (!facts.napAvailable)
            return {LANG_KEY("CorvexRequired")};
        return {};
    case DiskRow:
    case kOptionRowCount:
        break;
    }
    return {};
}

bool IsTimeRow(OptionRowId row, const SettingsFacts& facts)
{
    return row == DiskRow || (row == NapRow && facts.napAvailable);
}

bool TimeRowHasOneMinute(OptionRowId row, const SettingsFacts& facts)
{
    return row == NapRow || facts.diskOneMinute;
}

std::vector<std::string> ChoiceTexts(OptionRowId row, int tab, const SettingsFacts& facts,
                                     const Translator& translate)
{
    if (IsTimeRow(row, facts))
        return TimeTexts(TimeRowHasOneMinute(row, facts), translate);
    std::vector<std::string> texts;
    for (const char* key : ChoiceKeys(row, tab, facts))
        texts.push_back(translate(key));
    return texts;
}

int ChoiceCount(OptionRowId row, int tab, const SettingsFacts& facts)
{
    if (IsTimeRow(row, facts))
        return static_cast<int>(TimeEntries(TimeRowHasOneMinute(row, facts)).size());
    return static_cast<int>(ChoiceKeys(row, tab, facts).size());
}

const char* RowTitleKey(OptionRowId row, const SettingsFacts& facts)
{
    switch (row) {
    case VCoreRow:
        return LANG_KEY("vCoreDown");
    case LoadLineRow:
        return LANG_KEY("CPULoadline");
    case ChipsetRow:
        return LANG_KEY("ChipsetDown");
    case FanRow:
        return LANG_KEY("FanControl");
    case DiskRow:
        return LANG_KEY("OffHD");
    case NapRow:
        return facts.acpiV2 ? LANG_KEY("OffScreen") : LANG_KEY("DozlaIdleTime");
    case kOptionRowCount:
        break;
    }
    return "";
}

} // namespace advancedsetting
