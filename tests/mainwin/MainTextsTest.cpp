// The language rules for the main window's fonts and positions.

#include "app/MainTexts.h"
#include "framework/TForm.h"

#include <gtest/gtest.h>

namespace {

class MainTextsTest : public testing::Test {
protected:
    MainTextsTest()
    {
        int top = 10;
        for (TLabel** label : Labels()) {
            *label = new TLabel(&form);
            (*label)->SetTop(top += 20);
            (*label)->Font().SetSize(9);
        }
        for (VtButtonTx** button : {&c.moreSettingButton, &c.calibrateButton, &c.switchButton, &c.exitButton}) {
            *button = new VtButtonTx(&form);
            (*button)->Font().SetSize(9);
        }
    }

    std::vector<TLabel**> Labels()
    {
        return {&c.subTitle,        &c.modeTitle,         &c.cpuStatusTitle,  &c.tranquilityTitle,
                &c.performanceTitle, &c.reliabilityTitle, &c.convenienceTitle, &c.energySavingTitle,
                &c.reducedCO2Title,  &c.currentModeName,  &c.date};
    }

    TForm form{nullptr};
    MainTextControls c;
};

} // namespace

TEST_F(MainTextsTest, GermanShrinksAndLowersTheTitles)
{
    ApplyLanguageFonts("German", c);
    for (TLabel* label : {c.tranquilityTitle, c.performanceTitle, c.reliabilityTitle, c.convenienceTitle,
                          c.energySavingTitle}) {
        EXPECT_EQ(label->Font().Size(), 7) << label->Top();
    }
    EXPECT_EQ(c.tranquilityTitle->Top(), 90 + 3);
    EXPECT_EQ(c.energySavingTitle->Top(), 170 + 3);
    EXPECT_EQ(c.modeTitle->Top(), 50 + 4);
    EXPECT_EQ(c.currentModeName->Top(), 210 + 4);
    EXPECT_EQ(c.currentModeName->Font().Size(), 7);
    EXPECT_EQ(c.subTitle->Top(), 30);
    EXPECT_EQ(c.subTitle->Font().Size(), 9);
}

TEST_F(MainTextsTest, JapaneseSwitchesTheTextsToShiftJis)
{
    ApplyLanguageFonts("Japanese", c);
    for (TLabel** label : Labels())
        EXPECT_EQ((*label)->Font().Charset(), SHIFTJIS_CHARSET) << (*label)->Top();
    for (VtButtonTx* button : {c.moreSettingButton, c.calibrateButton, c.switchButton, c.exitButton})
        EXPECT_EQ(button->Font().Charset(), SHIFTJIS_CHARSET);
}

TEST_F(MainTextsTest, FrenchShrinksTheModeNameAndTheSwitchCaption)
{
    ApplyLanguageFonts("French", c);
    EXPECT_EQ(c.currentModeName->Font().Size(), 8);
    EXPECT_EQ(c.switchButton->Font().Height(), 12);
    EXPECT_EQ(c.modeTitle->Font().Size(), 9);
}

TEST_F(MainTextsTest, OtherLanguagesKeepTheLayout)
{
    ApplyLanguageFonts("English", c);
    EXPECT_EQ(c.modeTitle->Top(), 50);
    EXPECT_EQ(c.currentModeName->Font().Size(), 9);
    EXPECT_NE(c.date->Font().Charset(), SHIFTJIS_CHARSET);
}
