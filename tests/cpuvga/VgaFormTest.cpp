// The graphics-card form: shown over the dimmed main window, the link's
// colours under the mouse, what the link opens, and closing it.

#include "kelp/System/Language.h"
#include "screens/dialogs/DialogService.h"
#include "screens/dialogs/TCoverDialog.h"
#include "screens/vgaform/EventsPage.h"
#include "screens/vgaform/TVgaForm.h"
#include "tests/cpuvga/PopupForms.h"
#include "tests/support/MessagePump.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using popuptest::TheForms;

class VgaFormTest : public testing::Test {
protected:
    void SetUp() override
    {
        TheForms().form->Show();
        form.SetLinkOpener([this](const std::string& address) { opened.push_back(address); });
    }
    void TearDown() override
    {
        form.Hide();
        DialogService::Instance().HideCover();
        form.OnHide = nullptr;
    }

    // A real mouse move over the form's client point (x, y).
    void MoveTo(int x, int y)
    {
        SendMessageA(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    }
    void ClickAt(int x, int y)
    {
        SendMessageA(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        PumpFor(20);
    }
    TColor LinkColor() const { return form.Hyperlink->Font().Color(); }

    TVgaForm& form = (TheForms(), *VgaForm);
    std::vector<std::string> opened;
};

// Points inside the link, inside the text above it (clear of the link) and
// on the bare background.
constexpr POINT kOnLink{60, 136};
constexpr POINT kOnText{200, 70};
constexpr POINT kOnBackground{500, 100};

TEST_F(VgaFormTest, ShowsOverTheCoverOnTopAndCentredOnTheScreen)
{
    DialogService::Instance().ShowVgaForm();
    PumpFor(30);
    EXPECT_TRUE(CoverDialog->Visible());
    ASSERT_TRUE(IsWindowVisible(form.Handle()));
    EXPECT_NE(GetWindowLongA(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(form.ClientWidth(), 566);
    EXPECT_EQ(form.ClientHeight(), 219);
    EXPECT_EQ(form.Left(), (GetSystemMetrics(SM_CXSCREEN) - form.Width()) / 2);
    // Region-shaped: the keyed corner is cut away.
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(form.Handle(), region), ERROR);
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_TRUE(PtInRegion(region, 283, 100));
    DeleteObject(region);
}

TEST_F(VgaFormTest, LinkTurnsWhiteUnderTheMouseAndBlueAgainOverTextOrBackground)
{
    DialogService::Instance().ShowVgaForm();
    EXPECT_EQ(LinkColor(), RGB(26, 82, 196));
    MoveTo(kOnLink.x, kOnLink.y);
    EXPECT_EQ(LinkColor(), RGB(255, 255, 255));
    MoveTo(kOnText.x, kOnText.y);
    EXPECT_EQ(LinkColor(), RGB(26, 82, 196));
    MoveTo(kOnLink.x, kOnLink.y);
    MoveTo(kOnBackground.x, kOnBackground.y);
    EXPECT_EQ(LinkColor(), RGB(26, 82, 196));

    // Left white when the form went away, the link is blue again next time.
    MoveTo(kOnLink.x, kOnLink.y);
    form.Hide();
    form.Show();
    EXPECT_EQ(LinkColor(), RGB(26, 82, 196));
}

TEST_F(VgaFormTest, LinkOpensTheEventsPageAndTheFormStays)
{
    DialogService::Instance().ShowVgaForm();
    ClickAt(kOnLink.x, kOnLink.y);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], kEventsPageAddress);
    EXPECT_TRUE(form.Visible());
    EXPECT_TRUE(CoverDialog->Visible());

    // (A press on the background would start dragging the window.)
    ClickAt(kOnText.x, kOnText.y);
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(VgaFormTest, CloseAndExitHideTheFormAndThenTheCover)
{
    for (VtButton* button : {form.CloseButton, static_cast<VtButton*>(form.ExitButton)}) {
        DialogService::Instance().ShowVgaForm();
        bool coverUpWhenFormWent = false;
        form.OnHide = [&](TObject*) { coverUpWhenFormWent = CoverDialog->Visible(); };
        button->Click();
        EXPECT_FALSE(form.Visible()) << button->Name();
        EXPECT_FALSE(CoverDialog->Visible()) << button->Name();
        EXPECT_TRUE(coverUpWhenFormWent) << button->Name();
        form.OnHide = nullptr;
    }
    EXPECT_FALSE(form.MinimizeButton->Enabled());
}

TEST_F(VgaFormTest, TextsFromTheFirstShowAddressAndTheJapaneseRule)
{
    // A form that has not been shown yet has read no text.
    TVgaForm fresh(nullptr);
    EXPECT_EQ(fresh.Label1->Caption(), "");
    fresh.Show();
    EXPECT_EQ(fresh.Label1->Caption(), kelp::Translate("VGAWindow"));
    EXPECT_EQ(fresh.ExitButton->Caption(), kelp::Translate("Exit"));
    fresh.Hide();

    DialogService::Instance().ShowVgaForm();
    EXPECT_EQ(form.Label1->Caption(), kelp::Translate("VGAWindow"));
    EXPECT_NE(form.Label1->Caption(), kelp::kTextNotFound);
    EXPECT_EQ(form.ExitButton->Caption(), kelp::Translate("Exit"));
    EXPECT_EQ(form.Hyperlink->Caption(), kEventsPageAddress);

    form.SetTexts("French");
    EXPECT_NE(form.Label1->Font().Charset(), 128);
    form.SetTexts("Japanese");
    EXPECT_EQ(form.Label1->Font().Charset(), 128);
    EXPECT_EQ(form.ExitButton->Font().Charset(), 128);
    // The address stays in the Latin font.
    EXPECT_NE(form.Hyperlink->Font().Charset(), 128);
    form.Label1->Font().SetCharset(DEFAULT_CHARSET);
    form.ExitButton->Font().SetCharset(DEFAULT_CHARSET);
}

} // namespace

TEST_F(VgaFormTest, TabReachesTheLinkWhichEnterOpensAndEscapeLeavesAsExitDoes)
{
    DialogService::Instance().ShowVgaForm();
    TWinControl* link = nullptr;
    for (TAccessible* node : form.AccChildren())
        if (node->AccRole() == TAccRole::Link)
            link = dynamic_cast<TWinControl*>(node);
    ASSERT_NE(link, nullptr) << "the link reads as a link";
    EXPECT_EQ(link->AccName(), kEventsPageAddress);
    form.ExitButton->SetFocus();
    for (int i = 0; i < 4 && !link->Focused(); ++i)
        SendMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
    ASSERT_TRUE(link->Focused()) << "Tab reaches the link";
    SendMessageA(link->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], kEventsPageAddress);
    EXPECT_TRUE(form.Visible());

    SendMessageA(link->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(form.Visible());
    EXPECT_FALSE(CoverDialog->Visible()) << "as Exit, Escape takes the cover down too";
}
