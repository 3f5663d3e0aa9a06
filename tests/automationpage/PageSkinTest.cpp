// The automation page's skin as its controls hold it: every button has its
// four looks keyed in the lower-left corner with soft edges laid over the
// page, not magenta; and on each tab the controls (sized by their artwork)
// neither overlap nor leave the tab page's plate.

#include "screens/automation/TAutomationForm.h"
#include "tests/support/MagentaFringe.h"

#include "framework/TApplication.h"

#include <gtest/gtest.h>

namespace {

TAutomationForm& Form()
{
    static TAutomationForm* form = Application().CreateForm<TAutomationForm>();
    return *form;
}

} // namespace

TEST(AutomationPageSkin, EveryButtonHasFourKeyedLooks)
{
    TAutomationForm& form = Form();
    int buttons = 0;
    for (int i = 0; i < form.ComponentCount(); ++i) {
        auto* button = dynamic_cast<VtButton*>(form.Components(i));
        if (!button)
            continue;
        ++buttons;
        const std::string name = button->Name();
        TBitmap& first = button->GetStateBitmap(0);
        for (int look = 0; look < 4; ++look) {
            TBitmap& bitmap = button->GetStateBitmap(look);
            ASSERT_FALSE(bitmap.Empty()) << name << " look " << look;
            EXPECT_EQ(bitmap.Width(), first.Width()) << name << " look " << look;
            EXPECT_EQ(bitmap.Height(), first.Height()) << name << " look " << look;
            EXPECT_EQ(bitmap.PixelColor(0, bitmap.Height() - 1), kMagentaKey) << name << " look " << look;
            EXPECT_EQ(FringePixels(bitmap), 0) << name << " look " << look;
        }
    }
    // Three tabs, six toggles, seven days, two choices, five small buttons,
    // OK, Cancel and the close button.
    EXPECT_EQ(buttons, 26);
    EXPECT_EQ(form.Background->Picture().Width(), form.ClientWidth());
    EXPECT_EQ(form.Background->Picture().Height(), form.ClientHeight());
    EXPECT_EQ(FringePixels(form.Background->Picture()), 0);
}

TEST(AutomationPageSkin, EachTabsControlsStayApartOnThePlate)
{
    TAutomationForm& form = Form();
    const RECT plate{20, 76, 620, 386};
    for (auto tab : {automationpage::Tab::Hotkeys, automationpage::Tab::Programs, automationpage::Tab::Schedule}) {
        form.ShowTab(tab);
        std::vector<TControl*> shown;
        for (int i = 0; i < form.ControlCount(); ++i) {
            TControl* control = form.Controls(i);
            const RECT bounds = control->BoundsRect();
            // The tab's own controls: visible and on the plate's rows.
            if (!control->Visible() || bounds.top < plate.top || bounds.bottom > plate.bottom)
                continue;
            EXPECT_GE(bounds.left, plate.left) << control->Name();
            EXPECT_LE(bounds.right, plate.right) << control->Name();
            shown.push_back(control);
        }
        EXPECT_GT(shown.size(), 8u) << int(tab);
        for (size_t a = 0; a < shown.size(); ++a)
            for (size_t b = a + 1; b < shown.size(); ++b) {
                RECT both;
                const RECT first = shown[a]->BoundsRect(), second = shown[b]->BoundsRect();
                EXPECT_FALSE(IntersectRect(&both, &first, &second)) << shown[a]->Name() << " and " << shown[b]->Name();
            }
    }
    form.ShowTab(automationpage::Tab::Hotkeys);
}
