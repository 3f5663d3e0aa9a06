// The shrunk main window: the small background, the energy group and the
// CO2 readout gone, the mode group 33 px higher; and back again.

#include "tests/energy/EnergyRig.h"

#include <gtest/gtest.h>

#include <map>

using namespace energytest;

namespace {

const char* const kModeGroup[] = {"ModeTitle", "CurrentModeName", "CpuStatusTitle", "TranquilityTitle",
                                  "PerformanceTitle", "ConvenienceTitle", "ReliabilityTitle", "EnergySavingTitle",
                                  "MoreSettingButton", "CalibrateButton", "ExitButton", "AutoButton", "TurboButton",
                                  "NormalButton", "MedButton", "LowButton"};

std::map<std::string, int> ModeGroupTops(Rig& rig)
{
    std::map<std::string, int> tops;
    for (const char* name : kModeGroup)
        tops[name] = rig.Part<TControl>(name).Top();
    tops["marker"] = rig.marker->Top();
    tops["chart"] = rig.chart->Top();
    return tops;
}

bool AllVisible(const energy::Co2Row& row, bool visible)
{
    for (VtImage* image : row.Digits().Images())
        if (image->Visible() != visible)
            return false;
    return row.UnitImage().Visible() == visible;
}

} // namespace

TEST(Shrink, TheSmallWindowLeavesOutTheCo2BandAndStopsItsUpdates)
{
    Rig rig;
    rig.Main().Show();
    rig.host.readings.boardTotal = 1;
    rig.Display().Refresh();
    const std::map<std::string, int> large = ModeGroupTops(rig);
    auto& shrink = rig.Part<VtCheckBox>("ShrinkButton");
    auto& background = rig.Part<TImage>("Background");

    shrink.Click();
    EXPECT_FALSE(rig.Display().IsLarge());
    EXPECT_TRUE(SamePicture(background.Picture(), rig.Part<TImage>("SmallBk").Picture()));
    EXPECT_EQ(background.Picture().Height(), 515);
    EXPECT_EQ(rig.host.backgroundChanges, 1);
    EXPECT_TRUE(AllVisible(rig.Display().Co2(), false));
    for (const char* name : {"Date", "ResetButton", "SwitchButton"})
        EXPECT_FALSE(rig.Part<TControl>(name).Visible()) << name;
    for (const auto& [name, top] : ModeGroupTops(rig))
        EXPECT_EQ(top, large.at(name) - 33) << name;
    // Nothing crosses the band the small background leaves out.
    EXPECT_LT(rig.Part<TControl>("ModeTitle").Top(), 268);

    rig.host.readings.boardTotal = 2;
    rig.Display().Refresh();
    EXPECT_EQ(ShownText(rig.Display().Co2().Digits()), "   615.000");

    shrink.Click();
    EXPECT_TRUE(rig.Display().IsLarge());
    EXPECT_TRUE(SamePicture(background.Picture(), rig.Part<TImage>("LargeBk").Picture()));
    EXPECT_EQ(rig.host.backgroundChanges, 2);
    EXPECT_TRUE(AllVisible(rig.Display().Co2(), true));
    // Refreshed at once on the way back.
    EXPECT_EQ(ShownText(rig.Display().Co2().Digits()), "  1230.000");
    EXPECT_TRUE(rig.Part<TControl>("Date").Visible());
    EXPECT_TRUE(rig.Part<TControl>("SwitchButton").Visible());
    EXPECT_FALSE(rig.Part<TControl>("ResetButton").Visible()) << "no reset in the Total view";
    EXPECT_EQ(ModeGroupTops(rig), large);
}

TEST(Shrink, TheCurrentViewGetsItsResetButtonBackAfterExpanding)
{
    Rig rig;
    rig.Main().Show();
    rig.Part<VtButtonTx>("SwitchButton").Click();
    auto& shrink = rig.Part<VtCheckBox>("ShrinkButton");
    shrink.Click();
    EXPECT_FALSE(rig.Part<TControl>("ResetButton").Visible());
    shrink.Click();
    EXPECT_TRUE(rig.Part<TControl>("ResetButton").Visible());
}

TEST(Shrink, TheCpuFormStillUpdatesWhileTheWindowIsSmall)
{
    Rig rig;
    rig.ShowBoth();
    rig.Part<VtCheckBox>("ShrinkButton").Click();
    rig.host.readings.boardPower = 33.3;
    rig.Display().Refresh();
    EXPECT_EQ(ShownText(rig.Display().Power().Digits()), "33.30");
    rig.Cpu().Hide();
    rig.host.readings.boardPower = 44.4;
    rig.Display().Refresh();
    EXPECT_EQ(ShownText(rig.Display().Power().Digits()), "33.30");
}
