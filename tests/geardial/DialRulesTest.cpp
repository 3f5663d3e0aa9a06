// The dial's rules that need no window: fade opacities, layer order,
// the mode caption, the lamps and the mode table.

#include "engine/ModeModel.h"
#include "screens/geardial/ChartLayers.h"
#include "screens/geardial/DialModes.h"
#include "screens/geardial/LampRules.h"
#include "screens/geardial/ModeCaption.h"

#include <gtest/gtest.h>

using namespace geardial;

TEST(TransitionTest, OpacitiesOfAllSixteenFrames)
{
    const int fillOut[] = {200, 186, 173, 160, 146, 133, 120, 106, 93, 80, 66, 53, 40, 26, 13, 0};
    const int outlineOut[] = {152, 142, 132, 122, 112, 101, 91, 81, 71, 61, 50, 40, 30, 20, 10, 0};
    const int fillIn[] = {0, 13, 26, 40, 53, 66, 80, 93, 106, 120, 133, 146, 160, 173, 186, 200};
    for (int frame = 0; frame < kTransitionFrames; ++frame) {
        const FadeOpacities fade = TransitionOpacities(frame);
        EXPECT_EQ(fade.fillOut, fillOut[frame]) << "frame " << frame;
        EXPECT_EQ(fade.outlineOut, outlineOut[frame]) << "frame " << frame;
        EXPECT_EQ(fade.fillIn, fillIn[frame]) << "frame " << frame;
    }
}

TEST(TransitionTest, FrameLayersFadeOldFillAndNewOutlineIntoNewFill)
{
    const ChartLayers expected = {{ChartArt::Line, 0, 255},
                                  {ChartArt::Fill, 1, 106},
                                  {ChartArt::Outline, 4, 81},
                                  {ChartArt::Fill, 4, 93},
                                  {ChartArt::Mask, 0, 255}};
    EXPECT_EQ(TransitionFrame(1, 4, 7), expected);
}

TEST(ChartLayersTest, StillAndHoverOrder)
{
    const ChartLayers still = {{ChartArt::Line, 0, 255}, {ChartArt::Fill, 3, 200}, {ChartArt::Mask, 0, 255}};
    EXPECT_EQ(StillChart(3), still);
    // The preview lies under the lines and the frame, over the current fill.
    const ChartLayers hover = {{ChartArt::Fill, 2, 200},
                               {ChartArt::Outline, 0, 153},
                               {ChartArt::Line, 0, 255},
                               {ChartArt::Mask, 0, 255}};
    EXPECT_EQ(HoverChart(2, 0), hover);
}

TEST(DialModesTest, LevelsMapToButtonsAndUnknownLevelsToHighPerformance)
{
    EXPECT_EQ(DialIndexOf(GearLevel::Auto), 0);
    EXPECT_EQ(DialIndexOf(GearLevel::Turbo), 1);
    EXPECT_EQ(DialIndexOf(GearLevel::HighPerformance), 2);
    EXPECT_EQ(DialIndexOf(GearLevel::MediumSaving), 3);
    EXPECT_EQ(DialIndexOf(GearLevel::MaxSaving), 4);
    EXPECT_EQ(DialIndexOf(GearLevel::Unknown), 2);
    EXPECT_EQ(DialIndexOf(3), 2);
    EXPECT_EQ(GearMarkerLeft(0), 51);
    EXPECT_EQ(GearMarkerLeft(4), 267);
    EXPECT_STREQ(ImageStem(3), "medium");
}

TEST(ModeCaptionTest, FixedGearsAndAutoWithTheGearItRuns)
{
    const Translator keys = [](const std::string& key) { return "<" + key + ">"; };
    EXPECT_EQ(ModeCaption(GearLevel::Turbo, 0, keys), "<GearNameL1>");
    EXPECT_EQ(ModeCaption(GearLevel::MaxSaving, 3, keys), "<GearNameL4>");
    EXPECT_EQ(ModeCaption(GearLevel::Unknown, 0, keys), "<GearNameL2>");
    EXPECT_EQ(ModeCaption(GearLevel::Auto, 0, keys), "<GearNameL0>:<GearNameL1>");
    EXPECT_EQ(ModeCaption(GearLevel::Auto, 2, keys), "<GearNameL0>:<GearNameL3>");
    EXPECT_EQ(ModeCaption(GearLevel::Auto, 3, keys), "<GearNameL0>:<GearNameL4>");
    // A gear beyond the saving gears shows as High Performance.
    EXPECT_EQ(ModeCaption(GearLevel::Auto, 4, keys), "<GearNameL0>:<GearNameL2>");
    EXPECT_EQ(ModeCaption(GearLevel::Auto, 255, keys), "<GearNameL0>:<GearNameL2>");
}

TEST(LampRulesTest, CpuLampLitForSavingModes)
{
    const LampFacts facts;
    EXPECT_TRUE(EvaluateLamps(GearLevel::Auto, facts).cpu);
    EXPECT_TRUE(EvaluateLamps(GearLevel::MediumSaving, facts).cpu);
    EXPECT_TRUE(EvaluateLamps(GearLevel::MaxSaving, facts).cpu);
    EXPECT_FALSE(EvaluateLamps(GearLevel::Turbo, facts).cpu);
    EXPECT_FALSE(EvaluateLamps(GearLevel::HighPerformance, facts).cpu);
}

TEST(LampRulesTest, DriveLampNeedsASpinDownOfAMinuteOrMore)
{
    LampFacts facts;
    facts.spinDownTimeout = 59;
    EXPECT_FALSE(EvaluateLamps(GearLevel::MaxSaving, facts).drive);
    facts.spinDownTimeout = 60;
    EXPECT_TRUE(EvaluateLamps(GearLevel::MaxSaving, facts).drive);
    facts.spinDownTimeout = 0xFFFFFFFFu;
    EXPECT_TRUE(EvaluateLamps(GearLevel::MaxSaving, facts).drive);
}

TEST(LampRulesTest, FanLampDarkOnlyWithoutFanControlAndWithoutQuietProfile)
{
    LampFacts facts;
    facts.fanControlOffered = false;
    facts.fan = 0;
    EXPECT_FALSE(EvaluateLamps(GearLevel::Turbo, facts).fan);
    facts.fan = 1;
    EXPECT_TRUE(EvaluateLamps(GearLevel::Turbo, facts).fan);
    facts.fan = 2;
    EXPECT_FALSE(EvaluateLamps(GearLevel::Turbo, facts).fan);
    facts.fanControlOffered = true;
    EXPECT_TRUE(EvaluateLamps(GearLevel::Turbo, facts).fan);
}

TEST(LampRulesTest, VgaFollowsTheCardAndChipsetLampsOnlyOnWorkstations)
{
    LampFacts facts;
    facts.vgaSaving = true;
    LampStates lamps = EvaluateLamps(GearLevel::MediumSaving, facts);
    EXPECT_TRUE(lamps.vga);
    EXPECT_FALSE(lamps.chip);
    facts.workstation = true;
    lamps = EvaluateLamps(GearLevel::MediumSaving, facts);
    EXPECT_TRUE(lamps.chip);
    EXPECT_TRUE(lamps.memory);
    EXPECT_FALSE(EvaluateLamps(GearLevel::Turbo, facts).chip);
}
