// What the screens need of forms and windowless controls: owned forms, the
// destroy event, bringing a windowless control to the front and images
// that draw their picture's own alpha.

#include "framework/TForm.h"
#include "framework/controls/TImage.h"
#include "tests/support/WindowlessPaint.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor kBlue = 0xFF0000;
constexpr TColor kRed = 0x0000FF;

// A windowless control that records the order in which it is painted.
class TPaintProbe : public TControl {
public:
    TPaintProbe(TComponent* owner, std::vector<TPaintProbe*>& order) : TControl(owner), m_order(order) {}
    void Paint(HDC) override { m_order.push_back(this); }

private:
    std::vector<TPaintProbe*>& m_order;
};

} // namespace

TEST(Form, OwnedFormHasItsOwnerBeforeAndAfterItsWindowExists)
{
    TForm owner(nullptr);
    TForm early(nullptr);
    early.SetOwnerWindow(owner.Handle());
    EXPECT_EQ(GetWindow(early.Handle(), GW_OWNER), owner.Handle());

    TForm late(nullptr);
    late.HandleNeeded();
    EXPECT_EQ(GetWindow(late.Handle(), GW_OWNER), nullptr);
    late.SetOwnerWindow(owner.Handle());
    EXPECT_EQ(GetWindow(late.Handle(), GW_OWNER), owner.Handle());
    late.SetOwnerWindow(nullptr);
    EXPECT_EQ(GetWindow(late.Handle(), GW_OWNER), nullptr);
}

TEST(Form, DestroyEventFiresOnceAndOnlyForACompletedForm)
{
    int destroyed = 0;
    {
        TForm form(nullptr);
        form.AfterConstruction();
        form.OnDestroy = [&](TObject* sender) {
            EXPECT_EQ(sender, &form);
            ++destroyed;
        };
    }
    EXPECT_EQ(destroyed, 1);
    {
        // As when a subclass's constructor failed after the layout bound
        // the event: the handler's object is already gone.
        TForm form(nullptr);
        form.OnDestroy = [&](TObject*) { ++destroyed; };
    }
    EXPECT_EQ(destroyed, 1);
}

TEST(Control, WindowlessControlBroughtToFrontPaintsLastAndTakesTheMouse)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 100, 100);
    std::vector<TPaintProbe*> order;
    auto* under = new TPaintProbe(&form, order);
    auto* over = new TPaintProbe(&form, order);
    for (TPaintProbe* probe : {under, over}) {
        probe->SetParent(&form);
        probe->SetBounds(10, 10, 30, 30);
    }
    EXPECT_EQ(form.ControlAtPos(20, 20), over);

    under->BringToFront();
    EXPECT_EQ(form.ControlAtPos(20, 20), under);
    TBitmap snapshot;
    PaintWindowless(form, snapshot, clWhite);
    EXPECT_EQ(order, (std::vector<TPaintProbe*>{over, under}));
    EXPECT_EQ(form.ControlCount(), 2);
}

TEST(Image, PictureWithItsOwnAlphaIsBlendedOverWhatLiesBeneath)
{
    TForm form(nullptr);
    form.SetBorderStyle(TBorderStyle::None);
    form.SetBounds(0, 0, 40, 20);
    auto* image = new TImage(&form);
    image->SetParent(&form);
    image->SetAutoSize(true);
    TBitmap picture;
    picture.SetPixelFormat(TPixelFormat::pf32bit);
    picture.SetSize(3, 1);
    // Straight (not premultiplied) colours: red at alpha 0, 128 and 255.
    const uint8_t alphas[] = {0, 128, 255};
    uint8_t* row = picture.ScanLine(0);
    for (int x = 0; x < 3; ++x) {
        row[x * 4 + 0] = 0;
        row[x * 4 + 1] = 0;
        row[x * 4 + 2] = 255;
        row[x * 4 + 3] = alphas[x];
    }

    image->SetPicture(picture);
    TBitmap painted;
    PaintWindowless(form, painted, kBlue);
    EXPECT_EQ(painted.PixelColor(0, 0), kRed) << "a picture without defined alpha draws plainly";

    picture.SetAlphaDefined(true);
    image->SetPicture(picture);
    EXPECT_FALSE(image->ControlStyle() & csOpaque);
    PaintWindowless(form, painted, kBlue);
    EXPECT_EQ(painted.PixelColor(0, 0), kBlue);
    const TColor half = painted.PixelColor(1, 0);
    EXPECT_NEAR(int(half & 0xFF), 128, 2);
    EXPECT_NEAR(int((half >> 16) & 0xFF), 127, 2);
    EXPECT_EQ(painted.PixelColor(2, 0), kRed);
}
