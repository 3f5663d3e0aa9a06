// The rules behind the rows: the time lists and their entries, the CPU
// slider of each tab and the drop-down entries per tab.

#include "screens/advancedsetting/ChoiceLists.h"
#include "screens/advancedsetting/FrequencyScale.h"
#include "screens/advancedsetting/NumberText.h"
#include "screens/advancedsetting/TimeChoices.h"

#include <gtest/gtest.h>

using namespace advancedsetting;

namespace {

// Texts in which the key is visible, with a number slot where English has one.
std::string FakeText(const char* key)
{
    const std::string k = key;
    if (k == "Aftermins" || k == "Afterhours")
        return k + "(%1)";
    return k;
}

std::vector<std::string> Keys(OptionRowId row, int tab, const SettingsFacts& facts)
{
    std::vector<std::string> keys;
    for (const char* key : ChoiceKeys(row, tab, facts))
        keys.push_back(key);
    return keys;
}

} // namespace

TEST(TimeChoicesTest, ListsWithAndWithoutTheOneMinuteEntry)
{
    const std::vector<std::string> full = {"After1min",      "Aftermins(3)",  "Aftermins(5)",  "Aftermins(10)",
                                           "Aftermins(15)",  "Aftermins(20)", "Aftermins(25)", "Aftermins(30)",
                                           "Aftermins(45)",  "After1hour",    "Afterhours(2)", "Afterhours(3)",
                                           "Afterhours(4)",  "Afterhours(5)", "Never"};
    EXPECT_EQ(TimeTexts(true, FakeText), full);
    EXPECT_EQ(TimeTexts(false, FakeText), std::vector<std::string>(full.begin() + 1, full.end()));

    EXPECT_EQ(TimeEntrySeconds(0, true), 60u);
    EXPECT_EQ(TimeEntrySeconds(0, false), 180u);
    EXPECT_EQ(TimeEntrySeconds(13, true), 18000u);
    EXPECT_EQ(TimeEntrySeconds(14, true), 0u);  // Never
    EXPECT_EQ(TimeEntrySeconds(40, true), 0u);
    EXPECT_EQ(TimeEntrySeconds(-1, false), 0u);

    // Vista and every later system, also one whose manifest makes it
    // report 10, and one whose version cannot be read.
    EXPECT_TRUE(DiskListHasOneMinute(6));
    EXPECT_TRUE(DiskListHasOneMinute(10));
    EXPECT_TRUE(DiskListHasOneMinute(0));
    EXPECT_FALSE(DiskListHasOneMinute(5));
}

TEST(TimeChoicesTest, StoredSecondsPickTheLongestEntryNotAboveThem)
{
    struct Case {
        int32_t seconds;
        int withOneMinute;
        int withoutOneMinute;
    };
    // Indices; "Never" is 14 with the one-minute entry and 13 without.
    const Case cases[] = {
        {0, 14, 13},      {59, 14, 13},     {60, 0, 13},     {120, 0, 13},    {179, 0, 13},
        {180, 1, 0},      {299, 1, 0},      {300, 2, 1},     {1199, 4, 3},    {1200, 5, 4},
        {2699, 7, 6},     {2700, 8, 7},     {3600, 9, 8},    {7199, 9, 8},    {17999, 12, 11},
        {18000, 13, 12},  {86400, 13, 12},  {INT32_MAX, 13, 12},
        {-1, 14, 13},     {INT32_MIN, 14, 13},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TimeEntryFor(c.seconds, true), c.withOneMinute) << c.seconds;
        EXPECT_EQ(TimeEntryFor(c.seconds, false), c.withoutOneMinute) << c.seconds;
    }
}

TEST(TimeChoicesTest, NumberGoesInPlaceOfTheFirstSlotOnly)
{
    EXPECT_EQ(WithNumber("After %1 minutes", 45), "After 45 minutes");
    EXPECT_EQ(WithNumber("%1 %1", 3), "3 %1");
    EXPECT_EQ(WithNumber("%1時間後", 2), "2時間後");
    EXPECT_EQ(WithNumber("no slot", 7), "no slot");
    EXPECT_EQ(WithNumber("", 7), "");
}

TEST(FrequencyScaleTest, RangeFromTheItemsInformation)
{
    const ItemRange range{2, 3, 11};
    // Zero-based platform: positions 0 .. base + step * (steps - 1).
    EXPECT_EQ(CpuFrequencyScale(0, 1, range), (FrequencyScale{0, 32, 3, 0, true}));
    // The others leave out the first step and count from base + step.
    EXPECT_EQ(CpuFrequencyScale(2, 5, range), (FrequencyScale{0, 29, 3, 5, false}));

    EXPECT_EQ(FrequencyText(CpuFrequencyScale(0, 1, range), 4, " MHz"), "+12 MHz");
    EXPECT_EQ(FrequencyText(CpuFrequencyScale(3, 5, range), 4, "%"), "-17%");
    EXPECT_EQ(FrequencyText(CpuFrequencyScale(2, 1, range), 0, " MHz"), "0 MHz");
}

TEST(FrequencyScaleTest, FortyPositionsWithoutAUsableRange)
{
    const FrequencyScale turbo{0, 39, 1, 1, true};
    const FrequencyScale saving{0, 39, 1, 1, false};
    EXPECT_EQ(CpuFrequencyScale(0, 5, std::nullopt), turbo);
    EXPECT_EQ(CpuFrequencyScale(3, 1, std::nullopt), saving);
    EXPECT_EQ(FrequencyText(turbo, 0, "%"), "+1%");
    EXPECT_EQ(FrequencyText(turbo, 39, "%"), "+40%");
    EXPECT_EQ(FrequencyText(saving, 39, " MHz"), "-40 MHz");

    // Ranges that leave no positions to choose from.
    EXPECT_EQ(CpuFrequencyScale(0, 5, ItemRange{0, 1, 1}), turbo);
    EXPECT_EQ(CpuFrequencyScale(0, 1, ItemRange{0, 0, 20}), turbo);
    EXPECT_EQ(CpuFrequencyScale(2, 1, ItemRange{5, -1, 20}), saving);
    EXPECT_EQ(CpuFrequencyScale(2, 1, ItemRange{INT32_MAX, INT32_MAX, INT32_MAX}), saving);
}

TEST(FrequencyScaleTest, GraphicsSettingsShowWholeMegahertzOrTheirName)
{
    EXPECT_EQ(GraphicsFrequencyText("400"), "400MHz");
    EXPECT_EQ(GraphicsFrequencyText("387.5"), "387MHz");
    EXPECT_EQ(GraphicsFrequencyText("Auto"), "Auto");
    EXPECT_EQ(GraphicsFrequencyText("12abc"), "12abc");
    EXPECT_EQ(GraphicsFrequencyText(""), "");
}

TEST(ChoiceListsTest, VoltageRowsOfferNothingOnThePerformanceTabs)
{
    SettingsFacts facts;
    facts.vCoreSteps = 3;
    facts.loadLineSteps = 2;
    for (int tab : {0, 1}) {
        EXPECT_EQ(Keys(VCoreRow, tab, facts), std::vector<std::string>{"OFF"});
        EXPECT_EQ(Keys(LoadLineRow, tab, facts), std::vector<std::string>{"OFF"});
    }
    for (int tab : {2, 3}) {
        EXPECT_EQ(Keys(VCoreRow, tab, facts), (std::vector<std::string>{"Small", "Medium", "High"}));
        EXPECT_EQ(Keys(LoadLineRow, tab, facts), (std::vector<std::string>{"Light", "Heavy"}));
    }
    facts.vCoreSteps = 2;
    facts.loadLineSteps = 0;  // the library did not say
    EXPECT_EQ(Keys(VCoreRow, 2, facts), (std::vector<std::string>{"Small", "High"}));
    EXPECT_EQ(Keys(LoadLineRow, 3, facts), (std::vector<std::string>{"Light", "Medium", "Heavy"}));
}

TEST(ChoiceListsTest, FanChipsetAndNapEntries)
{
    SettingsFacts facts;
    EXPECT_EQ(Keys(FanRow, 0, facts), std::vector<std::string>{"KeepBIOSSetting"});
    EXPECT_EQ(Keys(FanRow, 1, facts), std::vector<std::string>{"KeepBIOSSetting"});
    EXPECT_EQ(Keys(FanRow, 2, facts), (std::vector<std::string>{"KeepBIOSSetting", "Slow"}));
    EXPECT_EQ(Keys(FanRow, 3, facts), (std::vector<std::string>{"KeepBIOSSetting", "Quiet"}));
    EXPECT_EQ(Keys(ChipsetRow, 1, facts), (std::vector<std::string>{"Off", "On"}));

    facts.napAvailable = false;
    facts.diskOneMinute = false;
    EXPECT_EQ(ChoiceTexts(NapRow, 2, facts, FakeText), std::vector<std::string>{"CorvexRequired"});
    EXPECT_EQ(ChoiceCount(DiskRow, 2, facts), 14);
    facts.napAvailable = true;
    // The nap list keeps its one-minute entry whatever the system.
    EXPECT_EQ(ChoiceTexts(NapRow, 2, facts, FakeText).front(), "After1min");
    EXPECT_EQ(ChoiceTexts(DiskRow, 2, facts, FakeText).front(), "Aftermins(3)");

    facts.acpiV2 = true;
    EXPECT_STREQ(RowTitleKey(NapRow, facts), "OffScreen");
    facts.acpiV2 = false;
    EXPECT_STREQ(RowTitleKey(NapRow, facts), "DozlaIdleTime");
}
