#include "NumLedRow.h"

#include "VtPackage/VtNumLed.h"
#include "framework/TForm.h"
#include "framework/layout/LayoutReader.h"

#include <gtest/gtest.h>

using namespace numledtest;

namespace {

class TLedForm : public TForm {
public:
    using TForm::TForm;
};

class NumLedLayoutTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        TClassRegistry& registry = TClassRegistry::Instance();
        RegisterVtNumLed(registry);
        registry.Register("TLedForm", "TForm");
    }

    // The layout error the text raises, or "" when it loads.
    std::string Failure(const std::string& text)
    {
        TLedForm form(nullptr);
        try {
            ReadLayout(form, text, "TLEDFORM", handlers);
        } catch (const ELayoutError& error) {
            return error.what();
        }
        return "";
    }

    THandlerTable handlers;
};

} // namespace

TEST_F(NumLedLayoutTest, StreamsEveryPublishedProperty)
{
    int clicks = 0;
    handlers.Publish<TNotifyEvent>("SpeedClick", [&](TObject*) { ++clicks; });
    TLedForm form(nullptr);
    // KeepRatio comes first on purpose: it applies after the size.
    ReadLayout(form, R"(
object LedForm: TLedForm
  ClientWidth = 400
  ClientHeight = 200
  object Speed: VtNumLed
    KeepRatio = True
    Left = 8
    Top = 16
    Width = 1000
    Height = 54
    Format = '8888&'
    Type = nledFloat
    Style = nledRectangle7_s
    ZeroLeading = True
    Transparent = True
    ShowHint = True
    Cursor = crHandPoint
    Hint = 'Fan speed'
    LedColors.LightColor = clRed
    LedColors.DarkColor = clBlue
    LedColors.BackgroundColor = clLime
    LedColors.TransparentColor = clFuchsia
    OnClick = SpeedClick
  end
  object Clock: VtNumLed
    Type = nledTime
    Format = 'HH.MM'
  end
end
)", "TLEDFORM", handlers);

    EXPECT_EQ(TClassRegistry::Instance().Find("VtNumLed")->PalettePage(), "VtComponents");
    VtNumLed& speed = LayoutComponent<VtNumLed>(form, "Speed");
    EXPECT_EQ(speed.Parent(), &form);
    EXPECT_EQ(speed.Image().Parent(), &form);
    EXPECT_EQ(speed.GetFormat(), "8888&");
    EXPECT_TRUE(speed.GetZeroLeading());
    EXPECT_TRUE(speed.GetKeepRatio());
    EXPECT_TRUE(speed.GetTransparent());
    EXPECT_TRUE(speed.ShowHint());
    EXPECT_EQ(speed.Cursor(), crHandPoint);
    EXPECT_EQ(speed.LedColors().TransparentColor(), clFuchsia);
    // 1000 x 54 at the ratio of 119 x 27 units: twice the design size.
    EXPECT_EQ(speed.Left(), 8);
    EXPECT_EQ(speed.Top(), 16);
    EXPECT_EQ(speed.Width(), 238);
    EXPECT_EQ(speed.Height(), 54);
    EXPECT_EQ(speed.Image().Left(), 8);
    EXPECT_EQ(speed.Image().Width(), 238);

    speed.SetBounds(0, 0, RowWidth("8888&") * 4, RowHeight("8888&") * 4);
    speed.SetValue(905);
    EXPECT_EQ(RowReader(speed, 4).Read(), "0905+");  // the streamed colours: red, blue, lime
    speed.Click();
    EXPECT_EQ(clicks, 1);

    VtNumLed& clock = LayoutComponent<VtNumLed>(form, "Clock");
    EXPECT_EQ(clock.GetType(), nledTime);
    EXPECT_EQ(clock.GetFormat(), "HH.MM");
    EXPECT_EQ(clock.LedColors().LightColor(), RGB(10, 240, 10));
}

TEST_F(NumLedLayoutTest, UnknownTypesAndStylesAreLayoutErrors)
{
    EXPECT_EQ(Failure("object LedForm: TLedForm\n object A: VtNumLed\n  Type = nledFloat\n end\nend\n"), "");
    EXPECT_NE(Failure("object LedForm: TLedForm\n object A: VtNumLed\n  Type = nledHex\n end\nend\n").find("nledHex"), std::string::npos);
    EXPECT_NE(Failure("object LedForm: TLedForm\n object A: VtNumLed\n  Style = nledRound\n end\nend\n").find("nledRound"), std::string::npos);
    EXPECT_NE(Failure("object LedForm: TLedForm\n object A: VtNumLed\n  Cursor = crBusy\n end\nend\n").find("crBusy"), std::string::npos);
    EXPECT_NE(Failure("object LedForm: TLedForm\n object A: VtNumLed\n  LedColors.Glow = clRed\n end\nend\n"), "");
}
