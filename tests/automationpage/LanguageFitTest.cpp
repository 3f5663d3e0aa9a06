// Every language's texts fit the automation page: captions on one line in
// their buttons, the mode names and states in their columns, the longest
// combination in its field and every hint and problem on the message line.

#include "framework/TApplication.h"
#include "framework/layout/LayoutReader.h"
#include "screens/automation/KeyCapture.h"
#include "screens/automation/TAutomationForm.h"
#include "tests/support/LanguageText.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class AutomationLanguageFit : public testing::TestWithParam<std::string> {
protected:
    static TAutomationForm& Form()
    {
        static TAutomationForm* form = Application().CreateForm<TAutomationForm>();
        return *form;
    }

    int Width(TFont& font, const std::string& text)
    {
        return SingleLineSize(dc_.get(), font.Handle(), text).cx;
    }

    // `margin`: what the control keeps free of text (a button's rounded ends).
    void ExpectFits(TControl& control, TFont& font, const char* key, int margin = 0)
    {
        const std::string text = LanguageText(GetParam(), key);
        ASSERT_FALSE(text.empty()) << GetParam() << ": " << key;
        ExpectTextFits(control, font, text, margin);
    }
    void ExpectTextFits(TControl& control, TFont& font, const std::string& text, int margin = 0)
    {
        EXPECT_LE(Width(font, text), control.Width() - margin) << GetParam() << ": " << text;
    }

private:
    std::unique_ptr<std::remove_pointer_t<HDC>, decltype(&DeleteDC)> dc_{CreateCompatibleDC(nullptr), DeleteDC};
};

TEST_P(AutomationLanguageFit, CaptionsHeadingsAndMessages)
{
    TAutomationForm& form = Form();
    constexpr int kButtonEnds = 8;
    ExpectFits(*form.Title, form.Title->Font(), "AutomationTitle");
    ExpectFits(*form.HotkeysTab, form.HotkeysTab->Font(), "AutomationHotkeysTab", kButtonEnds);
    ExpectFits(*form.ProgramsTab, form.ProgramsTab->Font(), "AutomationProgramsTab", kButtonEnds);
    ExpectFits(*form.ScheduleTab, form.ScheduleTab->Font(), "AutomationScheduleTab", kButtonEnds);
    const std::pair<const char*, const char*> headings[] = {
        {"HotkeyModeHeading", "AutomationColumnMode"}, {"HotkeyKeysHeading", "AutomationColumnKeys"},
        {"HotkeyActiveHeading", "AutomationColumnActive"}, {"HotkeyStateHeading", "AutomationColumnState"},
        {"ProgramHeading", "AutomationColumnProgram"}, {"DaysHeading", "AutomationColumnDays"},
        {"FromHeading", "AutomationColumnFrom"}, {"ToHeading", "AutomationColumnTo"}};
    for (auto [name, key] : headings) {
        auto& heading = LayoutComponent<TLabel>(form, name);
        ExpectFits(heading, heading.Font(), key);
    }
    for (const char* mode : {"GearNameL0", "GearNameL1", "GearNameL2", "GearNameL3", "GearNameL4"}) {
        ExpectFits(*form.HotkeyName[0], form.HotkeyName[0]->Font(), mode);
        // Beside the choice's chevron.
        ExpectFits(*form.ProgramMode, form.ProgramMode->Font(), mode, 26 + kButtonEnds);
    }
    ExpectFits(*form.HotkeyName[5], form.HotkeyName[5]->Font(), "AutomationNextMode");
    for (const char* state : {"AutomationKeyTaken", "AutomationKeyReady", "AutomationInvalid"})
        ExpectFits(*form.HotkeyState[0], form.HotkeyState[0]->Font(), state);
    for (const char* key : {"AutomationPressKeys", "AutomationNoKey"})
        ExpectFits(*form.HotkeyField[0], form.HotkeyField[0]->Font(), key, kButtonEnds);
    const automationpage::ModifierNames words{LanguageText(GetParam(), "AutomationModifierCtrl"),
                                              LanguageText(GetParam(), "AutomationModifierAlt"),
                                              LanguageText(GetParam(), "AutomationModifierShift"),
                                              LanguageText(GetParam(), "AutomationModifierWin")};
    using namespace automationpage;
    ExpectTextFits(*form.HotkeyField[0], form.HotkeyField[0]->Font(),
                   CombinationText({kModControl | kModAlt | kModShift | kModWin, VK_NEXT}, words), kButtonEnds);
    for (const char* key : {"AutomationOn", "AutomationOff"})
        ExpectFits(*form.HotkeyOn[0], form.HotkeyOn[0]->Font(), key, kButtonEnds);
    for (int day = 1; day <= 7; ++day)
        ExpectFits(*form.Day[0], form.Day[0]->Font(), ("AutomationDay" + std::to_string(day)).c_str(), 4);
    ExpectFits(*form.BrowseButton, form.BrowseButton->Font(), "AutomationBrowse", kButtonEnds);
    ExpectFits(*form.ProgramAdd, form.ProgramAdd->Font(), "AutomationAdd", kButtonEnds);
    ExpectFits(*form.ProgramRemove, form.ProgramRemove->Font(), "AutomationRemove", kButtonEnds);
    ExpectFits(*form.OkButton, form.OkButton->Font(), "OK", kButtonEnds);
    ExpectFits(*form.CancelButton, form.CancelButton->Font(), "Cancel", kButtonEnds);
    for (const char* line :
         {"AutomationKeysHint", "AutomationKeyMissing", "AutomationKeyUnusable", "AutomationKeyNeedsModifier",
          "AutomationKeyTwice", "AutomationProgramsHint", "AutomationProgramMissing", "AutomationProgramTooLong",
          "AutomationProgramBad", "AutomationModeUnknown", "AutomationProgramTwice", "AutomationTooManyRules",
          "AutomationScheduleHint", "AutomationNoDays", "AutomationBadTime", "AutomationEmptyWindow",
          "AutomationOverlaps", "AutomationTooManyWindows", "AutomationMarked", "AutomationSaveFailed"})
        ExpectFits(*form.Message, form.Message->Font(), line);
    ExpectFits(*form.ProgramList, form.ProgramList->Font(), "AutomationEmptyList");
}

INSTANTIATE_TEST_SUITE_P(Languages, AutomationLanguageFit, testing::Values("English", "German", "French"));

} // namespace
