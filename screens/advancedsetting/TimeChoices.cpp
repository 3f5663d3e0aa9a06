#include "screens/advancedsetting/TimeChoices.h"

#include "kelp/System/Language.h"
#include "kelp/System/WindowsVersion.h"
#include "screens/advancedsetting/NumberText.h"

namespace advancedsetting {

namespace {

constexpr uint32_t kMinute = 60;
constexpr uint32_t kHour = 60 * kMinute;

const std::vector<TimeEntry>& AllEntries()
{
    static const std::vector<TimeEntry> entries = {
        {LANG_KEY("After1min"), 1, kMinute},
        {LANG_KEY("Aftermins"), 3, 3 * kMinute},
        {"Aftermins", 5, 5 * kMinute},
        {"Aftermins", 10, 10 * kMinute},
        {"Aftermins", 15, 15 * kMinute},
        {"Aftermins", 20, 20 * kMinute},
        {"Aftermins", 25, 25 * kMinute},
        {"Aftermins", 30, 30 * kMinute},
        {"Aftermins", 45, 45 * kMinute},
        {LANG_KEY("After1hour"), 1, kHour},
        {LANG_KEY("Afterhours"), 2, 2 * kHour},
        {"Afterhours", 3, 3 * kHour},
        {"Afterhours", 4, 4 * kHour},
        {"Afterhours", 5, 5 * kHour},
        {LANG_KEY("Never"), 0, 0},
    };
    return entries;
}

} // namespace

std::vector<TimeEntry> TimeEntries(bool withOneMinute)
{
    const auto& all = AllEntries();
    return {all.begin() + (withOneMinute ? 0 : 1), all.end()};
}

std::vector<std::string> TimeTexts(bool withOneMinute, const Translator& translate)
{
    std::vector<std::string> texts;
    for (const TimeEntry& entry : TimeEntries(withOneMinute))
        texts.push_back(WithNumber(translate(entry.key), entry.number));
    return texts;
}

int TimeEntryFor(int32_t seconds, bool withOneMinute)
{
    const auto entries = TimeEntries(withOneMinute);
    const int never = static_cast<int>(entries.size()) - 1;
    int chosen = never;
    for (int i = 0; i < never; ++i)
        if (seconds >= static_cast<int64_t>(entries[i].seconds))
            chosen = i;
    return chosen;
}

uint32_t TimeEntrySeconds(int index, bool withOneMinute)
{
    const auto entries = TimeEntries(withOneMinute);
    if (index < 0 || index >= static_cast<int>(entries.size()))
        return 0;
    return entries[index].seconds;
}

bool DiskListHasOneMinute(unsigned systemMajorVersion)
{
    return kelp::IsVistaOrLater(systemMajorVersion);
}

} // namespace advancedsetting
