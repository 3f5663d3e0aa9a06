// Every language's texts fit the places the two forms give them: the CPU
// form's titles on one line, the graphics-card message above the link, the
// address in the link's box and Exit on its button.

#include "screens/cpuform/TCpuForm.h"
#include "screens/vgaform/TVgaForm.h"
#include "tests/cpuvga/PopupForms.h"
#include "tests/support/LanguageText.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class LanguageFit : public testing::TestWithParam<std::string> {
protected:
    static void SetUpTestSuite() { popuptest::TheForms(); }

    // The size of `text` in `font`, wrapped at `wrapWidth` when it is given.
    SIZE Measure(TFont& font, const std::string& text, int wrapWidth = 0)
    {
        HGDIOBJ old = SelectObject(dc_.get(), font.Handle());
        RECT r{0, 0, wrapWidth, 0};
        const UINT format = wrapWidth ? DT_WORDBREAK : DT_SINGLELINE;
        DrawTextA(dc_.get(), text.c_str(), -1, &r, DT_CALCRECT | DT_NOPREFIX | format);
        SelectObject(dc_.get(), old);
        return {r.right - r.left, r.bottom - r.top};
    }

    void ExpectOneLineFits(TControl& control, TFont& font, const char* key)
    {
        const std::string text = LanguageText(GetParam(), key);
        ASSERT_FALSE(text.empty()) << GetParam() << " " << key;
        const SIZE size = Measure(font, text);
        EXPECT_LE(size.cx, control.Width()) << GetParam() << " " << key << ": " << text;
        EXPECT_LE(size.cy, control.Height()) << GetParam() << " " << key << ": " << text;
    }

private:
    std::unique_ptr<std::remove_pointer_t<HDC>, decltype(&DeleteDC)> dc_{CreateCompatibleDC(nullptr), DeleteDC};
};

TEST_P(LanguageFit, CpuTitlesInBothViewsAndExit)
{
    ExpectOneLineFits(*CpuForm->CpuPowerTitle, CpuForm->CpuPowerTitle->Font(), "CurrentCPUPower");
    ExpectOneLineFits(*CpuForm->CpuEnergySavingTitle, CpuForm->CpuEnergySavingTitle->Font(), "TotalCPUEnergySaved");
    ExpectOneLineFits(*CpuForm->CpuEnergySavingTitle, CpuForm->CpuEnergySavingTitle->Font(), "CurrentCPUEnergySaved");
    ExpectOneLineFits(*CpuForm->ExitButton, CpuForm->ExitButton->Font(), "Exit");
}

TEST_P(LanguageFit, GraphicsCardMessageEndsAboveTheLink)
{
    TLabel& message = *VgaForm->Label1;
    const std::string text = LanguageText(GetParam(), "VGAWindow");
    ASSERT_FALSE(text.empty());
    const SIZE size = Measure(message.Font(), text, message.Width());
    EXPECT_LE(message.Top() + size.cy, VgaForm->Hyperlink->Top()) << GetParam() << ": " << text;
    EXPECT_LE(Measure(VgaForm->Hyperlink->Font(), VgaForm->Hyperlink->Caption()).cx, VgaForm->Hyperlink->Width());
    ExpectOneLineFits(*VgaForm->ExitButton, VgaForm->ExitButton->Font(), "Exit");
}

INSTANTIATE_TEST_SUITE_P(Languages, LanguageFit, testing::Values("English", "German", "French"));

} // namespace
