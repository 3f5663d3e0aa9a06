// The skinned message form: what each use shows, which answer each button
// gives, and the font rules of the languages.

#include "engine/Calibration.h"
#include "screens/dialogs/DialogFonts.h"
#include "screens/dialogs/DialogService.h"
#include "tests/dialogs/DialogForms.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

using dialogtest::Later;
using dialogtest::TheForms;

class MessageForm : public testing::Test {
protected:
    TUniversalDialog& form = *TheForms().message;

    // Asks and answers with `button` once the form is up; notes what it showed.
    int AskAndPress(const std::optional<std::string>& left, VtButton* button)
    {
        Later([this, button] {
            shownMessage = form.Message->Caption();
            leftVisible = form.LeftButton->Visible();
            leftCaption = form.LeftButton->Caption();
            rightCaption = form.RightButton->Caption();
            topmost = (GetWindowLongA(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
            visible = IsWindowVisible(form.Handle()) != 0;
            button->Click();
        });
        return form.Ask("Line one\nLine two", left, "Right");
    }

    std::string shownMessage, leftCaption, rightCaption;
    bool leftVisible = false, topmost = false, visible = false;
};

TEST_F(MessageForm, EachButtonGivesItsAnswer)
{
    EXPECT_EQ(AskAndPress(std::string("Left"), form.LeftButton), 1);
    EXPECT_TRUE(visible);
    EXPECT_TRUE(topmost);
    EXPECT_EQ(shownMessage, "Line one\nLine two");
    EXPECT_TRUE(leftVisible);
    EXPECT_EQ(leftCaption, "Left");
    EXPECT_EQ(rightCaption, "Right");
    EXPECT_FALSE(form.IsShown());

    EXPECT_EQ(AskAndPress(std::string("Left"), form.RightButton), 2);
    EXPECT_EQ(AskAndPress(std::string("Left"), form.CloseButton), 2);
}

TEST_F(MessageForm, ANoticeAfterAQuestionHidesTheLeftButton)
{
    AskAndPress(std::string("Yes"), form.CloseButton);
    EXPECT_TRUE(leftVisible);
    EXPECT_EQ(AskAndPress(std::nullopt, form.CloseButton), 2);
    EXPECT_FALSE(leftVisible);
}

TEST_F(MessageForm, IsShownOnlyWhileUp)
{
    bool shownMeanwhile = false;
    Later([&] {
        shownMeanwhile = form.IsShown();
        form.CloseButton->Click();
    });
    form.Ask("?", std::nullopt, "OK");
    EXPECT_TRUE(shownMeanwhile);
    EXPECT_FALSE(form.IsShown());
}

// The tray's Exit chosen while a notice is up: the exit question is not
// put on the form that is showing (that fails), and closing the open
// dialog ends the notice's modal loop.
TEST_F(MessageForm, AQuestionWhileTheFormIsUpIsNotShownAndClosingEndsTheFirst)
{
    DialogService service(
        form, [](int, unsigned, const std::function<void(int)>&, const std::string&) { return 2; }, [] {},
        []() -> Calibrator& { return GetCalibrator(); }, [](bool) {});
    std::vector<std::string> failures;
    int exitAnswer = 0;
    Later([&] {
        try {
            exitAnswer = service.ConfirmExit();
        } catch (const std::exception& error) {
            failures.push_back(error.what());
        }
        service.CloseDialog();
    });
    EXPECT_EQ(service.Notice("Not supported"), 2);
    EXPECT_EQ(exitAnswer, 2);
    EXPECT_EQ(failures, std::vector<std::string>{});
    EXPECT_FALSE(form.IsShown());
    EXPECT_FALSE(service.IsDialogShown());
}

TEST(DialogFonts, GermanAndJapaneseButtonsUseTheSmallerHeightJapaneseAlsoShiftJis)
{
    for (const char* language : {"English", "French", "German", "Japanese"}) {
        TFont message, button;
        message.SetHeight(-12);
        button.SetHeight(-12);
        const BYTE charset = button.Charset();
        dialogs::UseLanguageCharset(language, {&message, &button});
        dialogs::UseLanguageButtonHeight(language, {&button});
        const std::string name = language;
        const bool smaller = name == "German" || name == "Japanese";
        EXPECT_EQ(button.Height(), smaller ? -11 : -12) << language;
        EXPECT_EQ(message.Height(), -12) << language;
        EXPECT_EQ(button.Charset(), name == "Japanese" ? 128 : charset) << language;
        EXPECT_EQ(message.Charset(), name == "Japanese" ? 128 : charset) << language;
    }
}

} // namespace
