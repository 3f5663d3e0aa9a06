#include "app/MainTexts.h"

#include "kelp/System/Language.h"

namespace {

// The period start shown until the energy display knows the real one.
constexpr const char* kSincePlaceholder = ": 2008/04/01 02:31";

void SetText(TControl* control, const char* key)
{
    control->SetCaption(kelp::Translate(key));
}

void SetHint(TControl* control, const char* key)
{
    control->SetHint(kelp::Translate(key));
    control->SetShowHint(true);
}

void ShrinkAndLower(TLabel* label, int points, int pixels)
{
    label->Font().SetSize(points);
    label->SetTop(label->Top() + pixels);
}

} // namespace

void LoadMainTexts(const MainTextControls& c)
{
    SetText(c.subTitle, "SubTitle");
    SetText(c.modeTitle, "ModeSetting");
    SetText(c.cpuStatusTitle, "CurrentStatus");
    SetText(c.tranquilityTitle, "Tranquility");
    SetText(c.performanceTitle, "Performance");
    SetText(c.reliabilityTitle, "Reliability");
    SetText(c.convenienceTitle, "Convenience");
    SetText(c.energySavingTitle, "EnergySaved");
    SetText(c.moreSettingButton, "Setting");
    SetText(c.calibrateButton, "Calibrate");
    SetText(c.exitButton, "Exit");
    static const char* const kModeHints[] = {LANG_KEY("HintL0"), LANG_KEY("HintL1"), LANG_KEY("HintL2"),
                                             LANG_KEY("HintL3"), LANG_KEY("HintL4")};
    for (size_t i = 0; i < c.modeButtons.size(); ++i)
        SetHint(c.modeButtons[i], kModeHints[i]);
    SetHint(c.resetButton, "Clear");
}

void LoadEnergyViewTexts(const MainTextControls& c)
{
    SetText(c.switchButton, "Current");
    c.date->SetCaption(kelp::Translate("Since") + kSincePlaceholder);
    SetText(c.reducedCO2Title, "TotalCO2Reduced");
}

void ApplyLanguageFonts(const std::string& language, const MainTextControls& c)
{
    if (language == "Japanese") {
        for (TLabel* label : {c.subTitle, c.modeTitle, c.cpuStatusTitle, c.tranquilityTitle, c.performanceTitle,
                              c.reliabilityTitle, c.convenienceTitle, c.energySavingTitle, c.date, c.reducedCO2Title,
                              c.currentModeName})
            label->Font().SetCharset(SHIFTJIS_CHARSET);
        for (VtButtonTx* button : {c.moreSettingButton, c.calibrateButton, c.switchButton, c.exitButton})
            button->Font().SetCharset(SHIFTJIS_CHARSET);
    } else if (language == "French") {
        c.currentModeName->Font().SetSize(8);
        c.switchButton->Font().SetHeight(12);
    } else if (language == "German") {
        ShrinkAndLower(c.modeTitle, 7, 4);
        ShrinkAndLower(c.currentModeName, 7, 4);
        for (TLabel* label : {c.tranquilityTitle, c.performanceTitle, c.reliabilityTitle, c.convenienceTitle,
                              c.energySavingTitle})
            ShrinkAndLower(label, 7, 3);
    }
}
