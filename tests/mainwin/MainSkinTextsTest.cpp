// The main window's texts on its real layout: those a window started in the
// tray loads at its first show, and the energy view's, which it has from the
// start and which the show leaves to the energy display.

#include "app/MainSkin.h"
#include "kelp/System/Language.h"
#include "tests/support/MainLayoutForm.h"

#include <gtest/gtest.h>

namespace {

std::string Caption(TForm& form, const char* name)
{
    return LayoutComponent<TControl>(form, name).Caption();
}

} // namespace

TEST(MainSkinTexts, TheFirstShowLoadsTheTitlesCaptionsAndHintsOnce)
{
    auto form = testsupport::LoadMainLayout();
    MainSkin skin(*form);
    skin.SetUp();
    skin.LoadTextsForShow();

    const std::pair<const char*, const char*> captions[] = {
        {"SubTitle", "SubTitle"},       {"ModeTitle", "ModeSetting"},          {"CpuStatusTitle", "CurrentStatus"},
        {"TranquilityTitle", "Tranquility"}, {"PerformanceTitle", "Performance"}, {"ReliabilityTitle", "Reliability"},
        {"ConvenienceTitle", "Convenience"}, {"EnergySavingTitle", "EnergySaved"}, {"MoreSettingButton", "Setting"},
        {"CalibrateButton", "Calibrate"},   {"ExitButton", "Exit"}};
    for (const auto& [control, key] : captions)
        EXPECT_EQ(Caption(*form, control), kelp::Translate(key)) << control;
    const std::pair<const char*, const char*> hints[] = {{"AutoButton", "HintL0"},   {"TurboButton", "HintL1"},
                                                         {"NormalButton", "HintL2"}, {"MedButton", "HintL3"},
                                                         {"LowButton", "HintL4"},    {"ResetButton", "Clear"}};
    for (const auto& [control, key] : hints) {
        const TControl& button = LayoutComponent<TControl>(*form, control);
        EXPECT_EQ(button.Hint(), kelp::Translate(key)) << control;
        EXPECT_TRUE(button.ShowHint()) << control;
    }

    // A later show does not read the language files again.
    LayoutComponent<TControl>(*form, "SubTitle").SetCaption("changed");
    skin.LoadTextsForShow();
    EXPECT_EQ(Caption(*form, "SubTitle"), "changed");
}

TEST(MainSkinTexts, TheEnergyViewHasItsTextsFromTheStartAndTheShowKeepsTheDisplays)
{
    auto form = testsupport::LoadMainLayout();
    MainSkin skin(*form);
    skin.SetUp();
    EXPECT_EQ(Caption(*form, "SwitchButton"), kelp::Translate("Current"));
    EXPECT_EQ(Caption(*form, "ReducedCO2Title"), kelp::Translate("TotalCO2Reduced"));
    EXPECT_EQ(Caption(*form, "Date"), kelp::Translate("Since") + ": 2008/04/01 02:31");

    // What the energy display shows by the time the window is first shown.
    LayoutComponent<TControl>(*form, "SwitchButton").SetCaption("view");
    LayoutComponent<TControl>(*form, "ReducedCO2Title").SetCaption("title");
    LayoutComponent<TControl>(*form, "Date").SetCaption("date");
    skin.LoadTextsForShow();
    EXPECT_EQ(Caption(*form, "SwitchButton"), "view");
    EXPECT_EQ(Caption(*form, "ReducedCO2Title"), "title");
    EXPECT_EQ(Caption(*form, "Date"), "date");
}
