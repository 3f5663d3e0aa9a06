// Every control of the package read from a form layout with its published
// properties, and the palette pages the package registers.

#include "VtPackage/VtBar.h"
#include "VtPackage/VtBrickTx.h"
#include "VtPackage/VtButtonTx.h"
#include "VtPackage/VtCheckBox.h"
#include "VtPackage/VtPanel.h"
#include "VtPackage/VtRadioButton.h"
#include "VtTestSupport.h"
#include "framework/layout/LayoutReader.h"

using namespace vttest;

namespace {

const char* const kLayout = R"(object TestForm: TForm
  Left = 40
  Top = 40
  object OkButton: VtButton
    Left = 10
    Top = 10
    ModalResult = 1
    Appearance.RaisedBmp = 'vtfixtures\button_raised.bmp'
    Appearance.SunkenBmp = 'vtfixtures\button_sunken.bmp'
    Appearance.FocusedBmp = 'vtfixtures\button_focused.bmp'
    Appearance.DisabledBmp = 'vtfixtures\button_disabled.bmp'
    ShowMouseOver = False
    OnMouseEnter = ButtonEnter
  end
  object ApplyButton: VtButtonTx
    Left = 10
    Top = 50
    Caption = 'Apply'
    Font.Name = 'Tahoma'
    Font.Color = clYellow
    Font.Style = [fsBold]
    FontColors.Sunken = clRed
    FontColors.Focused = clLime
    FontColors.Disabled = clSilver
    WordWrap = True
    Appearance.RaisedBmp = 'vtfixtures\button_raised.bmp'
  end
  object Tile: VtBrick
    Left = 110
    Top = 10
    Appearance.NormalBmp = 'vtfixtures\brick_normal.bmp'
    Appearance.FocusedBmp = 'vtfixtures\brick_focused.bmp'
    Appearance.DisabledBmp = 'vtfixtures\brick_disabled.bmp'
    Enabled = False
  end
  object InfoTile: VtBrickTx
    Left = 110
    Top = 50
    Caption = 'Info'
    Font.Color = clWhite
    FontColors.Focused = clAqua
    FontColors.Disabled = clGray
    Appearance.NormalBmp = 'vtfixtures\brick_normal.bmp'
  end
  object Boost: VtCheckBox
    Left = 210
    Top = 10
    AllowGrayed = True
    State = cbGrayed
    ClicksDisabled = True
    Appearance.Uncheck.RaisedBmp = 'vtfixtures\check_unchecked_raised.bmp'
    Appearance.Check.RaisedBmp = 'vtfixtures\check_checked_raised.bmp'
    Appearance.Gray.RaisedBmp = 'vtfixtures\check_grayed_raised.bmp'
    Appearance.Gray.FocusedBmp = 'vtfixtures\check_grayed_focused.bmp'
  end
  object Quiet: VtCheckBox
    Left = 240
    Top = 10
    Checked = True
    Appearance.Check.RaisedBmp = 'vtfixtures\check_checked_raised.bmp'
    Appearance.Uncheck.RaisedBmp = 'vtfixtures\check_unchecked_raised.bmp'
  end
  object Group: VtPanel
    Left = 10
    Top = 100
    Width = 120
    Height = 60
    DesignTimeVisible = False
    object Fast: VtRadioButton
      Left = 5
      Top = 5
      Checked = True
      Appearance.Uncheck.RaisedBmp = 'vtfixtures\radio_unchecked_raised.bmp'
      Appearance.Check.RaisedBmp = 'vtfixtures\radio_checked_raised.bmp'
    end
    object Slow: VtRadioButton
      Left = 5
      Top = 30
      Appearance.Uncheck.RaisedBmp = 'vtfixtures\radio_unchecked_raised.bmp'
      Appearance.Check.RaisedBmp = 'vtfixtures\radio_checked_raised.bmp'
      OnDblClick = SlowDblClick
    end
  end
  object Round: VtButton
    Left = 300
    Top = 10
    Transparent = True
    TransparentColor = clFuchsia
    Appearance.RaisedBmp = 'vtfixtures\round_raised.bmp'
  end
  object Level: VtBar
    Left = 140
    Top = 100
    Appearance.NormalBmp = 'vtfixtures\bar_normal.bmp'
    Indicator = 'vtfixtures\bar_knob.bmp'
    Length = 160
    ScrollPos = 30
    Kind = sbHorizontal
    Origin.X = 10
    Origin.Y = 12
    OnScroll = LevelScroll
    OnIndicate = LevelIndicate
    OnStartScroll = LevelStart
    OnEndScroll = LevelEnd
  end
end
)";

class LayoutTest : public FormTest {
protected:
    LayoutTest()
    {
        handlers.Publish<TNotifyEvent>("ButtonEnter", [this](TObject*) { ++enters; });
        handlers.Publish<TNotifyEvent>("SlowDblClick", [this](TObject*) { ++doubleClicks; });
        handlers.Publish<TNotifyEvent>("LevelStart", [](TObject*) {});
        handlers.Publish<TNotifyEvent>("LevelEnd", [](TObject*) {});
        handlers.Publish<TVtScrollEvent>("LevelScroll", [this](TObject*, int&, bool) { ++scrolls; });
        handlers.Publish<TVtIndicateEvent>("LevelIndicate", [](TObject*, int&) {});
        ReadLayout(form, kLayout, "test layout", handlers);
    }

    template <typename T>
    T& Get(const char* name)
    {
        T& control = LayoutComponent<T>(form, name);
        control.HandleNeeded();
        return control;
    }

    THandlerTable handlers;
    int enters = 0;
    int doubleClicks = 0;
    int scrolls = 0;
};

} // namespace

TEST_F(LayoutTest, ButtonsTakeTheirArtworkFontsAndColours)
{
    auto& ok = Get<VtButton>("OkButton");
    EXPECT_EQ(ok.Width(), 84);
    EXPECT_EQ(ok.ModalResult(), 1);
    EXPECT_FALSE(ok.ShowMouseOver());
    for (int state = 0; state < 4; ++state)
        EXPECT_FALSE(ok.GetStateBitmap(state).Empty()) << state;
    Move(ok, 10, 10);
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(ShownState(ok), 0);  // no hover look

    auto& apply = Get<VtButtonTx>("ApplyButton");
    EXPECT_EQ(apply.GetText(), "Apply");
    EXPECT_EQ(apply.Font().Name(), "Tahoma");
    EXPECT_EQ(apply.Font().Style(), unsigned(fsBold));
    EXPECT_TRUE(apply.WordWrap());
    EXPECT_EQ(apply.FontColors().Sunken(), 0x0000FFu);
    EXPECT_EQ(apply.FontColors().Focused(), 0x00FF00u);
    EXPECT_EQ(apply.FontColors().Disabled(), 0xC0C0C0u);
    EXPECT_EQ(apply.GetFontColorOfCurState(), 0x00FFFFu);

    auto& tile = Get<VtBrick>("Tile");
    EXPECT_FALSE(tile.Enabled());
    EXPECT_EQ(ShownState(tile), 2);

    auto& info = Get<VtBrickTx>("InfoTile");
    EXPECT_EQ(info.GetText(), "Info");
    EXPECT_EQ(info.FontColors().Focused(), 0xFFFF00u);
    EXPECT_EQ(info.FontColors().Disabled(), 0x808080u);

    auto& round = Get<VtButton>("Round");
    EXPECT_TRUE(round.Transparent());
    EXPECT_EQ(round.TransparentColor(), clFuchsia);
    EXPECT_FALSE(round.HitTest(0, 0));
    EXPECT_TRUE(round.HitTest(20, 20));
}

TEST_F(LayoutTest, CheckStatesAndRadioGroupsComeFromTheLayout)
{
    auto& boost = Get<VtCheckBox>("Boost");
    EXPECT_TRUE(boost.AllowGrayed());
    EXPECT_TRUE(boost.ClicksDisabled());
    EXPECT_EQ(boost.State(), TCheckBoxState::Grayed);
    EXPECT_EQ(ShownState(boost), 8);
    auto& quiet = Get<VtCheckBox>("Quiet");
    EXPECT_TRUE(quiet.GetChecked());
    EXPECT_EQ(ShownState(quiet), 4);

    auto& group = Get<VtPanel>("Group");
    EXPECT_FALSE(group.DesignTimeVisible());
    auto& fast = Get<VtRadioButton>("Fast");
    auto& slow = Get<VtRadioButton>("Slow");
    EXPECT_EQ(fast.Parent(), &group);
    EXPECT_TRUE(fast.GetChecked());
    EXPECT_EQ(ShownState(fast), 4);
    Move(slow, 5, 5);
    DoubleDown(slow, 5, 5);
    Up(slow, 5, 5);
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_TRUE(slow.GetChecked());
    EXPECT_FALSE(fast.GetChecked());
}

TEST_F(LayoutTest, BarTakesItsTrackIndicatorAndEvents)
{
    auto& level = Get<VtBar>("Level");
    EXPECT_EQ(level.Width(), 180);
    EXPECT_EQ(level.Length(), 160);
    EXPECT_EQ(level.ScrollPos(), 30);
    EXPECT_EQ(level.Kind(), TScrollBarKind::Horizontal);
    EXPECT_EQ(level.GetIndicator().Width(), 12);
    EXPECT_EQ(level.IndicatorImage().Left(), 10 - 6 + 30);
    EXPECT_EQ(level.IndicatorImage().Top(), 12 - 10);
    Move(level, 100, 12);
    Down(level, 100, 12);
    Move(level, 110, 12, true);
    Up(level, 110, 12);
    EXPECT_EQ(scrolls, 1);
    EXPECT_EQ(level.ScrollPos(), 40);
}

TEST_F(LayoutTest, BadValuesAreReportedWithTheirLine)
{
    TForm other(nullptr);
    const std::string bad = "object Other: TForm\n  object B: VtCheckBox\n    State = cbMaybe\n  end\nend\n";
    EXPECT_THROW(ReadLayout(other, bad, "bad layout", handlers), ELayoutError);
    const std::string missing = "object Other: TForm\n  object B: VtButton\n    Appearance.RaisedBmp = 'vtfixtures\\none.bmp'\n  end\nend\n";
    EXPECT_THROW(ReadLayout(other, missing, "bad layout", handlers), ELayoutError);
}

TEST(VtPaletteTest, ControlsAreOnTheirPalettePages)
{
    RegisterVtComponents();
    const TClassRegistry& registry = TClassRegistry::Instance();
    for (const char* name : {"VtButton", "VtBrick", "VtCheckBox", "VtRadioButton", "VtPanel", "VtBar", "VtNumLed"})
        EXPECT_EQ(registry.Find(name)->PalettePage(), "VtComponents") << name;
    for (const char* name : {"VtButtonTx", "VtBrickTx"})
        EXPECT_EQ(registry.Find(name)->PalettePage(), "VtComponentsTx") << name;
}
