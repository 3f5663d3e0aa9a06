#include "framework/TForm.h"
#include "framework/TTimer.h"
#include "framework/controls/TImage.h"
#include "framework/controls/TLabel.h"
#include "framework/controls/TPanel.h"
#include "framework/graphics/GraphicsError.h"
#include "framework/layout/LayoutReader.h"
#include "framework/system/ExecutableFolder.h"
#include "kelp/Graphics/PngReader.h"

#include <gtest/gtest.h>
#include <string>

// Forms that load layouts; the layouts name them by class.
class TTestForm : public TForm {
public:
    using TForm::TForm;
};

class TBrokenForm : public TForm {
public:
    using TForm::TForm;
};

// A control with a modal result and a nested appearance object, as skinned
// buttons have.
class TTestAppearance : public TObject {
public:
    TBitmap raised;
    int index = 0;
};

class TTestButton : public TControl {
public:
    using TControl::TControl;
    int modalResult = 0;
    TTestAppearance appearance;
};

namespace {

void RegisterTestClasses()
{
    TClassRegistry& registry = TClassRegistry::Instance();
    registry.Register("TTestForm", "TForm");
    registry.Register("TBrokenForm", "TForm");
    registry.Register("TTestAppearance", "")
        .Property("RaisedBmp", PictureWriter<TTestAppearance>([](TTestAppearance& a) -> TBitmap& { return a.raised; }))
        .Property("Index", IntWriter<TTestAppearance>([](TTestAppearance& a, int v) { a.index = v; }));
    registry.Register<TTestButton>("TTestButton", "TControl")
        .Property("ModalResult", IntWriter<TTestButton>([](TTestButton& b, int v) { b.modalResult = v; }))
        .Nested("Appearance", "TTestAppearance", [](TObject& o) -> TObject& { return static_cast<TTestButton&>(o).appearance; });
    kelp::RegisterPngPictureLoader();
}

class LayoutTest : public testing::Test {
protected:
    static void SetUpTestSuite() { RegisterTestClasses(); }

    LayoutTest()
    {
        handlers.Publish<TNotifyEvent>("FormShow", [this](TObject*) { ++shows; });
        handlers.Publish<TNotifyEvent>("BackgroundClick", [this](TObject* sender) { clicked = sender; });
        handlers.Publish<TMouseEvent>("BackgroundMouseDown", [](TObject*, TMouseButton, TShiftState, int, int) {});
        handlers.Publish<TNotifyEvent>("TickerTimer", [](TObject*) {});
    }

    // The message of the layout error the text raises, or "" when it loads.
    std::string Failure(const std::string& text)
    {
        TTestForm form(nullptr);
        try {
            ReadLayout(form, text, "TSAMPLE", handlers);
        } catch (const ELayoutError& error) {
            return error.what();
        }
        return "";
    }

    THandlerTable handlers;
    int shows = 0;
    TObject* clicked = nullptr;
};

const char* const kHead = "object TestForm: TTestForm\n";

} // namespace

TEST_F(LayoutTest, FormResourceBuildsComponentsWithTheirProperties)
{
    TTestForm form(nullptr);
    ReadFormLayout(form, handlers);
    EXPECT_EQ(form.Name(), "TestForm");
    EXPECT_EQ(form.Caption(), "Pellix 'test' form");
    EXPECT_EQ(form.BorderStyle(), TBorderStyle::None);
    EXPECT_EQ(form.ClientWidth(), 300);
    EXPECT_EQ(form.Color(), clFuchsia);
    EXPECT_EQ(form.Tag(), 85);
    ASSERT_TRUE(form.OnShow);
    form.OnShow(&form);
    EXPECT_EQ(shows, 1);

    auto& background = LayoutComponent<TImage>(form, "Background");
    EXPECT_EQ(background.Parent(), &form);
    EXPECT_EQ(background.Width(), 2);  // auto-sized to the 2 x 1 picture
    EXPECT_EQ(background.Picture().PixelColor(1, 0), 0x3264C8u);
    background.OnClick(&background);
    EXPECT_EQ(clicked, &background);
    EXPECT_TRUE(background.OnMouseDown);

    auto& frame = LayoutComponent<TPanel>(form, "Frame");
    auto& title = LayoutComponent<TLabel>(form, "Title");
    EXPECT_EQ(title.Parent(), &frame);
    EXPECT_EQ(title.Owner(), &form);
    EXPECT_EQ(frame.Font().Name(), "Tahoma");
    EXPECT_EQ(title.Font().Height(), -13);
    EXPECT_EQ(title.Font().Style(), static_cast<unsigned>(fsBold | fsItalic));
    EXPECT_EQ(title.Font().Color(), 0x0000FFu);
    EXPECT_TRUE(title.Transparent());
    EXPECT_TRUE(title.WordWrap());
    EXPECT_EQ(title.Alignment(), static_cast<UINT>(DT_CENTER));

    auto& ok = LayoutComponent<TTestButton>(form, "OkButton");
    EXPECT_EQ(ok.modalResult, 1);
    EXPECT_EQ(ok.appearance.index, 3);
    EXPECT_EQ(ok.appearance.raised.Width(), 3);

    auto& ticker = LayoutComponent<TTimer>(form, "Ticker");
    EXPECT_FALSE(ticker.Enabled());
    EXPECT_EQ(ticker.Interval(), 5000u);
    EXPECT_THROW(LayoutComponent<TImage>(form, "Ticker"), ELayoutError);
}

TEST_F(LayoutTest, ComponentsTheFormAlreadyOwnsAreReused)
{
    TTestForm form(nullptr);
    auto* own = new TImage(&form);
    own->SetName("Background");
    ReadLayout(form, std::string(kHead) + "object Background: TImage\nLeft = 7\nend\nend\n", "TSAMPLE", handlers);
    EXPECT_EQ(form.ComponentCount(), 1);
    EXPECT_EQ(own->Left(), 7);
    EXPECT_EQ(own->Parent(), &form);
}

TEST_F(LayoutTest, UnknownNamesFailNamingResourceAndLine)
{
    EXPECT_EQ(Failure(std::string(kHead) + "  Caption = 'x'\n  object A: TFoo\n  end\nend\n"),
              "TSAMPLE line 3: unknown class 'TFoo'");
    EXPECT_EQ(Failure(std::string(kHead) + "\n  // comment\n  Captoin = 'x'\nend\n"),
              "TSAMPLE line 4: unknown property 'Captoin' of TTestForm");
    EXPECT_EQ(Failure(std::string(kHead) + "object L: TLabel\nFont.Wide = 3\nend\nend\n"),
              "TSAMPLE line 3: unknown property 'Wide' of TFont");
    EXPECT_EQ(Failure(std::string(kHead) + "object I: TImage\nFonts.Height = 3\nend\nend\n"),
              "TSAMPLE line 3: unknown property 'Fonts' of TImage");
    EXPECT_EQ(Failure(std::string(kHead) + "OnShow = FormShown\nend\n"),
              "TSAMPLE line 2: property OnShow: unknown handler 'FormShown'");
    EXPECT_EQ(Failure(std::string(kHead) + "OnShow = BackgroundMouseDown\nend\n"),
              "TSAMPLE line 2: property OnShow: handler 'BackgroundMouseDown' has another event type");

    // A layout compiled into the program names its resource.
    TBrokenForm broken(nullptr);
    try {
        ReadFormLayout(broken, handlers);
        ADD_FAILURE() << "loaded a layout with an unknown handler";
    } catch (const ELayoutError& error) {
        EXPECT_STREQ(error.what(), "TBROKENFORM line 4: property OnClick: unknown handler 'NoSuchHandler'");
        EXPECT_EQ(error.Line(), 4);
    }
}

TEST_F(LayoutTest, MalformedTextFailsLoudly)
{
    EXPECT_EQ(Failure(""), "TSAMPLE line 0: the layout is empty");
    EXPECT_EQ(Failure("object X: TForm\nend\n"), "TSAMPLE line 1: the layout is for TForm, not TTestForm");
    EXPECT_EQ(Failure(std::string(kHead) + "Left = 'ten'\nend\n"),
              "TSAMPLE line 2: property Left: expected an integer, found 'ten'");
    EXPECT_EQ(Failure(std::string(kHead) + "Visible = Yes\nend\n"),
              "TSAMPLE line 2: property Visible: expected True or False, found Yes");
    EXPECT_EQ(Failure(std::string(kHead) + "Caption = 'open\nend\n"), "TSAMPLE line 2: unterminated string");
    EXPECT_EQ(Failure(std::string(kHead) + "Left 5\nend\n"), "TSAMPLE line 2: expected 'Property = value'");
    EXPECT_EQ(Failure(std::string(kHead) + "Left = 12px\nend\n"), "TSAMPLE line 2: bad number '12px'");
    EXPECT_EQ(Failure(std::string(kHead) + "object I: TImage\nLeft = 1\n"), "TSAMPLE line 3: missing 'end' of object I");
    EXPECT_EQ(Failure(std::string(kHead) + "end\nLeft = 1\n"), "TSAMPLE line 3: text after the end of the layout");
    EXPECT_EQ(Failure(std::string(kHead) + "object I: TImage\nPicture = 'none.png'\nend\nend\n").rfind("TSAMPLE line 3: property Picture: Cannot open file", 0), 0u);
    EXPECT_EQ(Failure(std::string(kHead) + "object Frame: TTestForm\nend\nend\n"),
              "TSAMPLE line 2: class 'TTestForm' cannot be created from a layout");
}

TEST_F(LayoutTest, FormPlacementStyleAndRgbColours)
{
    TTestForm form(nullptr);
    ReadLayout(form,
               std::string(kHead) + "Position = poScreenCenter\nFormStyle = fsStayOnTop\nColor = RGB(1, 2, 255)\n"
                                    "object L: TLabel\nFont.Color = RGB(255,128,0)\nend\nend\n",
               "TSAMPLE", handlers);
    EXPECT_EQ(form.Position(), TPosition::ScreenCenter);
    EXPECT_EQ(form.FormStyle(), TFormStyle::StayOnTop);
    EXPECT_EQ(form.Color(), TColor(0x00FF0201));
    EXPECT_EQ(LayoutComponent<TLabel>(form, "L").Font().Color(), TColor(0x000080FF));

    EXPECT_EQ(Failure(std::string(kHead) + "Position = poNowhere\nend\n"),
              "TSAMPLE line 2: property Position: unknown position 'poNowhere'");
    EXPECT_EQ(Failure(std::string(kHead) + "Color = RGB(1, 2)\nend\n"),
              "TSAMPLE line 2: expected RGB(red, green, blue)");
    EXPECT_EQ(Failure(std::string(kHead) + "Color = RGB(1, 2, 256)\nend\n"),
              "TSAMPLE line 2: colour part 256 above 255 in RGB(1, 2, 256)");
    EXPECT_EQ(Failure(std::string(kHead) + "Color = RGB(1, -2, 3)\nend\n"),
              "TSAMPLE line 2: bad colour part '-2' in RGB(1, -2, 3)");
}

TEST_F(LayoutTest, UnreadablePictureNamesItsFile)
{
    for (const char* file : {"none.bmp", "none.png"}) {
        TTestForm form(nullptr);
        try {
            ReadLayout(form, std::string(kHead) + "object I: TImage\nPicture = '" + file + "'\nend\nend\n", "TSAMPLE",
                       handlers);
            ADD_FAILURE() << file << " loaded";
        } catch (const ELayoutError& error) {
            EXPECT_EQ(error.File(), ExecutableFolder() + file);
        }
    }
    // A whole header with pixels that do not decode is named when the
    // pixels are first needed.
    const std::string truncated = "fixtures\\graphics\\truncated.png";
    TTestForm form(nullptr);
    ReadLayout(form, std::string(kHead) + "object I: TImage\nPicture = '" + truncated + "'\nend\nend\n", "TSAMPLE",
               handlers);
    try {
        LayoutComponent<TImage>(form, "I").Picture().ScanLine(0);
        ADD_FAILURE() << "truncated.png decoded";
    } catch (const EPictureError& error) {
        EXPECT_EQ(error.Path(), ExecutableFolder() + truncated);
    }
}
