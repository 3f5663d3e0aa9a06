// The CPU form: where it opens over the main window, that it stays on top,
// what it shows and when it goes away.

#include "framework/TTimer.h"
#include "kelp/System/Language.h"
#include "screens/cpuform/CentreOver.h"
#include "screens/cpuform/TCpuForm.h"
#include "screens/dialogs/DialogService.h"
#include "screens/dialogs/TUniversalDialog.h"
#include "tests/cpuvga/PopupForms.h"
#include "tests/support/MessagePump.h"

#include <gtest/gtest.h>

namespace {

using popuptest::TheForms;
using popuptest::UseMainPicture;

TEST(CentreOver, CentresOverTheLargeAndTheShrunkWindowAndRoundsTowardZero)
{
    const RECT large{100, 50, 100 + 691, 50 + 548};
    const POINT overLarge = cpuform::CentreOver(large, 373, 219);
    EXPECT_EQ(overLarge.x, 100 + 159);
    EXPECT_EQ(overLarge.y, 50 + 164);

    const RECT shrunk{100, 50, 100 + 691, 50 + 515};
    EXPECT_EQ(cpuform::CentreOver(shrunk, 373, 219).y, 50 + 148);

    // Odd differences lose their half pixel toward zero on either side.
    const RECT narrow{0, 0, 300, 200};
    const POINT overNarrow = cpuform::CentreOver(narrow, 373, 219);
    EXPECT_EQ(overNarrow.x, -36);
    EXPECT_EQ(overNarrow.y, -9);
}

class CpuFormTest : public testing::Test {
protected:
    void SetUp() override
    {
        TheForms();
        UseMainPicture(true);
        main.SetBounds(60, 40, main.Width(), main.Height());
        main.Show();
    }
    void TearDown() override
    {
        form.SetOnShowRefresh(nullptr);
        form.Hide();
        UseMainPicture(true);
    }

    TForm& main = *TheForms().form;
    TCpuForm& form = *CpuForm;
};

TEST_F(CpuFormTest, IsTopmostBeforeItFirstShowsAndLayeredOnceOnScreen)
{
    ASSERT_FALSE(form.Visible());
    const LONG style = GetWindowLongA(form.Handle(), GWL_EXSTYLE);
    EXPECT_NE(style & WS_EX_TOPMOST, 0);
    RECT window{};
    GetWindowRect(form.Handle(), &window);
    EXPECT_EQ(window.right - window.left, 373);
    EXPECT_EQ(window.bottom - window.top, 219);

    // Keyed out from the moment the window is on screen.
    LONG styleWhenVisible = 0;
    const TWndMethod previous = form.WindowProc();
    form.SetWindowProc([&, previous](TMessage& message) {
        if (message.Msg == WM_WINDOWPOSCHANGED &&
            (reinterpret_cast<WINDOWPOS*>(message.LParam)->flags & SWP_SHOWWINDOW))
            styleWhenVisible = GetWindowLongA(form.Handle(), GWL_EXSTYLE);
        previous(message);
    });
    form.Show();
    form.SetWindowProc(previous);
    EXPECT_NE(styleWhenVisible & WS_EX_LAYERED, 0);
}

TEST_F(CpuFormTest, OpensCentredOverTheMainWindowLargeOrShrunk)
{
    form.Show();
    PumpFor(30);
    EXPECT_EQ(form.Left(), 60 + (691 - 373) / 2);
    EXPECT_EQ(form.Top(), 40 + (548 - 219) / 2);
    EXPECT_NE(GetWindowLongA(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    form.Hide();

    // Shrunk, and moved meanwhile: the next show follows both.
    UseMainPicture(false);
    main.SetBounds(200, 120, main.Width(), main.Height());
    ASSERT_EQ(main.Height(), 515);
    form.Show();
    PumpFor(30);
    EXPECT_EQ(form.Left(), 200 + (691 - 373) / 2);
    EXPECT_EQ(form.Top(), 120 + (515 - 219) / 2);
}

TEST_F(CpuFormTest, RefreshesItsFiguresOnEveryShowOnceInPlace)
{
    int refreshes = 0;
    POINT placeAtRefresh{};
    form.SetOnShowRefresh([&] {
        ++refreshes;
        placeAtRefresh = POINT{form.Left(), form.Top()};
    });
    form.Show();
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(placeAtRefresh.x, 60 + 159);
    EXPECT_EQ(placeAtRefresh.y, 40 + 164);
    form.Hide();
    form.Show();
    EXPECT_EQ(refreshes, 2);
}

TEST_F(CpuFormTest, ExitAndCloseHideIt)
{
    for (VtButton* button : {static_cast<VtButton*>(form.ExitButton), form.CloseButton}) {
        form.Show();
        ASSERT_TRUE(IsWindowVisible(form.Handle()));
        button->Click();
        EXPECT_FALSE(form.Visible()) << button->Name();
        EXPECT_FALSE(IsWindowVisible(form.Handle())) << button->Name();
    }
    EXPECT_FALSE(form.MinimizeButton->Enabled());
}

TEST_F(CpuFormTest, CaptionsComeFromTheLanguageFilesInTheTotalView)
{
    EXPECT_EQ(form.CpuPowerTitle->Caption(), kelp::Translate("CurrentCPUPower"));
    EXPECT_EQ(form.CpuEnergySavingTitle->Caption(), kelp::Translate("TotalCPUEnergySaved"));
    EXPECT_EQ(form.ExitButton->Caption(), kelp::Translate("Exit"));
    EXPECT_NE(form.CpuPowerTitle->Caption(), kelp::kTextNotFound);
}

TEST_F(CpuFormTest, JapaneseSwitchesBothTitlesAndExitToShiftJis)
{
    const std::vector<TFont*> fonts{&form.CpuPowerTitle->Font(), &form.CpuEnergySavingTitle->Font(),
                                    &form.ExitButton->Font()};
    form.SetTexts("German");
    for (TFont* font : fonts)
        EXPECT_NE(font->Charset(), 128);
    form.SetTexts("Japanese");
    for (TFont* font : fonts)
        EXPECT_EQ(font->Charset(), 128);
    form.SetTexts(kelp::GetLanguageName());
    for (TFont* font : fonts)
        font->SetCharset(DEFAULT_CHARSET);
}

// A calibration question would sit under the topmost CPU form.
TEST_F(CpuFormTest, ACalibrationQuestionHidesItFirst)
{
    form.Show();
    bool cpuFormUpDuringQuestion = true;
    bool questionUp = false;
    // Answers the question once its modal loop runs; owned by the form.
    auto* answer = new TTimer(UniversalDialog);
    answer->SetInterval(20);
    answer->OnTimer = [&](TObject*) {
        answer->SetEnabled(false);
        questionUp = UniversalDialog->Visible();
        cpuFormUpDuringQuestion = form.Visible();
        UniversalDialog->CloseButton->Click();
    };
    answer->SetEnabled(true);
    EXPECT_EQ(DialogService::Instance().CalibrationPrompt("Calibrate?"), 2);
    EXPECT_TRUE(questionUp);
    EXPECT_FALSE(cpuFormUpDuringQuestion);
    EXPECT_FALSE(form.Visible());
}

} // namespace
