// The main window's layout: the published components, the places the
// program relies on, and both the expanded and the shrunk view.

#include "MainFormArt.h"

#include "VtPackage/VtButtonTx.h"
#include "VtPackage/VtRadioButton.h"
#include "framework/TTimer.h"
#include "framework/controls/TImage.h"

#include <algorithm>
#include <map>

using namespace arttest;

namespace {

TEST(MainLayout, PublishesExactlyTheComponentsOfTheMainWindow)
{
    const std::map<std::string, std::string> expected = {
        {"Background", "TImage"}, {"LargeBk", "TImage"}, {"SmallBk", "TImage"}, {"WattsBk", "TImage"},
        {"WattHrBk", "TImage"}, {"MgBk", "TImage"}, {"GBk", "TImage"}, {"KgBk", "TImage"}, {"MacroBk", "TImage"},
        {"AutoButton", "VtRadioButton"}, {"TurboButton", "VtRadioButton"}, {"NormalButton", "VtRadioButton"},
        {"MedButton", "VtRadioButton"}, {"LowButton", "VtRadioButton"}, {"CloseButton", "VtButton"},
        {"MinimizeButton", "VtButton"}, {"ResetButton", "VtButton"}, {"CpuButton", "VtButton"},
        {"VgaButton", "VtButton"}, {"ChipButton", "VtButton"}, {"MemoryButton", "VtButton"},
        {"DriveButton", "VtButton"}, {"FanButton", "VtButton"}, {"ExitButton", "VtButtonTx"},
        {"MoreSettingButton", "VtButtonTx"}, {"CalibrateButton", "VtButtonTx"}, {"SwitchButton", "VtButtonTx"},
        {"ShrinkButton", "VtCheckBox"}, {"CpuLed", "VtBar"}, {"VgaLed", "VtBar"}, {"ChipLed", "VtBar"},
        {"MemoryLed", "VtBar"}, {"DriveLed", "VtBar"}, {"FanLed", "VtBar"}, {"SubTitle", "TLabel"},
        {"CpuStatusTitle", "TLabel"}, {"ModeTitle", "TLabel"}, {"TranquilityTitle", "TLabel"},
        {"PerformanceTitle", "TLabel"}, {"ConvenienceTitle", "TLabel"}, {"ReliabilityTitle", "TLabel"},
        {"EnergySavingTitle", "TLabel"}, {"ReducedCO2Title", "TLabel"}, {"CurrentModeName", "TLabel"},
        {"Date", "TLabel"}, {"EnergySavingTimer", "TTimer"}, {"IdleTimer", "TTimer"},
        {"InitGearModeTimer", "TTimer"}, {"VgaReadyTimer", "TTimer"}, {"RegisterNotifyTimer", "TTimer"},
        {"RestoreGearTimer", "TTimer"},
        // Beside the shrink box: opens the savings history.
        {"HistoryButton", "VtButton"},
        // Left of the history button: opens the automation page.
        {"AutomationButton", "VtButton"}};
    std::map<std::string, std::string> found;
    TMainForm& form = MainForm();
    for (int i = 0; i < form.ComponentCount(); ++i)
        found[form.Components(i)->Name()] = form.Components(i)->ClassName();
    EXPECT_EQ(expected.size(), 53u);
    EXPECT_EQ(found, expected);
    EXPECT_EQ(form.Caption(), "Pellix");
    EXPECT_TRUE(form.OnShow && form.OnClose && form.OnDestroy);
}

TEST(MainLayout, TimersStartStoppedWithTheirIntervalsAndHandlers)
{
    const std::map<std::string, unsigned> intervals = {{"EnergySavingTimer", 5000}, {"IdleTimer", 5000},
        {"InitGearModeTimer", 60000}, {"RegisterNotifyTimer", 3000}, {"RestoreGearTimer", 3500}};
    for (const auto& [name, interval] : intervals) {
        auto& timer = Component<TTimer>(name);
        EXPECT_FALSE(timer.Enabled()) << name;
        EXPECT_EQ(timer.Interval(), interval) << name;
        EXPECT_TRUE(timer.OnTimer) << name;
    }
    EXPECT_FALSE(Component<TTimer>("VgaReadyTimer").Enabled());
}

TEST(MainLayout, ModeButtonsSitWhereTheDialExpectsThem)
{
    const std::map<std::string, std::pair<int, int>> buttons = {{"AutoButton", {42, 32768}},
        {"TurboButton", {98, 16384}}, {"NormalButton", {151, 0}}, {"MedButton", {205, 1}}, {"LowButton", {259, 2}}};
    for (const auto& [name, place] : buttons) {
        auto& button = Component<VtRadioButton>(name);
        EXPECT_EQ(Bounds(button).left, place.first) << name;
        EXPECT_EQ(button.Top(), 371) << name;
        EXPECT_EQ(button.Width(), 45) << name;
        EXPECT_EQ(button.Height(), 45) << name;
        EXPECT_EQ(button.Tag(), place.second) << name;
    }
}

TEST(MainLayout, WindowTakesTheLargeBackgroundAndTheSmallOneIsShorter)
{
    TMainForm& form = MainForm();
    TBitmap& large = Component<TImage>("LargeBk").Picture();
    TBitmap& small = Component<TImage>("SmallBk").Picture();
    EXPECT_EQ(large.Width(), 691);
    EXPECT_EQ(small.Width(), 691);
    EXPECT_EQ(small.Height(), large.Height() - kShrink);
    EXPECT_EQ(form.ClientWidth(), large.Width());
    EXPECT_EQ(form.ClientHeight(), large.Height());
    EXPECT_TRUE(Component<TImage>("Background").Visible());
    for (const char* hidden : {"LargeBk", "SmallBk", "WattsBk", "WattHrBk", "MgBk", "GBk", "KgBk", "MacroBk"})
        EXPECT_FALSE(Component<TImage>(hidden).Visible()) << hidden;
}

// What the user sees, as rectangles: every visible control, the chart and the
// gear marker's track. Nothing may cover anything else.
std::vector<std::pair<std::string, RECT>> VisibleParts()
{
    std::vector<std::pair<std::string, RECT>> parts;
    TMainForm& form = MainForm();
    for (int i = 0; i < form.ComponentCount(); ++i) {
        auto* control = dynamic_cast<TControl*>(form.Components(i));
        if (control && control->Name() != "Background" && (control->Visible() || control->Name() == "ResetButton"))
            parts.emplace_back(control->Name(), Bounds(*control));
    }
    TBitmap& chart = DialLayer("pentagon.png");
    parts.emplace_back("chart", RECT{kChartLeft, kChartTop, kChartLeft + chart.Width(), kChartTop + chart.Height()});
    TBitmap& gear = DialLayer("gear.png");
    parts.emplace_back("gear track", RECT{51, kGearTop, 267 + gear.Width(), kGearTop + gear.Height()});
    return parts;
}

TEST(MainLayout, NothingCoversAnythingElseAndAllStaysInTheWindow)
{
    const auto parts = VisibleParts();
    const RECT window{0, 0, MainForm().ClientWidth(), MainForm().ClientHeight()};
    for (size_t i = 0; i < parts.size(); ++i) {
        const RECT& r = parts[i].second;
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= window.right && r.bottom <= window.bottom) << parts[i].first;
        for (size_t j = i + 1; j < parts.size(); ++j)
            EXPECT_FALSE(Intersect(r, parts[j].second)) << parts[i].first << " and " << parts[j].first;
    }
}

bool In(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

// The shrunk window drops the background rows of the energy band: what stays
// must lie above them, what moves up below them, and what is hidden within.
TEST(ShrunkView, EveryControlKeepsTheBackgroundItWasDrawnFor)
{
    const int smallHeight = Component<TImage>("SmallBk").Picture().Height();
    for (const auto& [name, r] : VisibleParts()) {
        if (In(EnergyGroup(), name)) {
            EXPECT_GE(r.top, kBandTop) << name;
            EXPECT_LE(r.bottom, kBandTop + kShrink) << name;
        } else if (In(ModeGroup(), name) || name == "chart" || name == "gear track") {
            EXPECT_GE(r.top, kBandTop + kShrink) << name;
            EXPECT_LE(r.bottom - kShrink, smallHeight) << name;
        } else {
            EXPECT_LE(r.bottom, kBandTop) << name;
        }
    }
}

TEST(ShrunkView, SmallBackgroundIsTheLargeOneWithoutTheEnergyBand)
{
    TBitmap& large = Component<TImage>("LargeBk").Picture();
    TBitmap& small = Component<TImage>("SmallBk").Picture();
    int differing = 0;
    for (int y = 0; y < small.Height(); ++y) {
        const int from = y < kBandTop ? y : y + kShrink;
        for (int x = 0; x < small.Width(); ++x)
            differing += small.PixelColor(x, y) != large.PixelColor(x, from);
    }
    EXPECT_EQ(differing, 0);
}

} // namespace
