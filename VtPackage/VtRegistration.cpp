#include "VtPackage/VtRegistration.h"

#include "VtPackage/VtBar.h"
#include "VtPackage/VtBrickTx.h"
#include "VtPackage/VtButtonTx.h"
#include "VtPackage/VtCheckBox.h"
#include "VtPackage/VtImage.h"
#include "VtPackage/VtNumLed.h"
#include "VtPackage/VtPanel.h"
#include "VtPackage/VtRadioButton.h"
#include "framework/layout/ClassRegistry.h"

#include <stdexcept>
#include <string>

namespace {

const char* const kPage = "VtComponents";
const char* const kPageTx = "VtComponentsTx";

TCheckBoxState CheckBoxState(const std::string& name)
{
    if (name == "cbUnchecked")
        return TCheckBoxState::Unchecked;
    if (name == "cbChecked")
        return TCheckBoxState::Checked;
    if (name == "cbGrayed")
        return TCheckBoxState::Grayed;
    throw std::invalid_argument("unknown check box state '" + name + "'");
}

TScrollBarKind ScrollBarKind(const std::string& name)
{
    if (name == "sbHorizontal")
        return TScrollBarKind::Horizontal;
    if (name == "sbVertical")
        return TScrollBarKind::Vertical;
    throw std::invalid_argument("unknown scroll bar kind '" + name + "'");
}

template <typename T>
TNestedGetter FontOf()
{
    return [](TObject& o) -> TObject& { return static_cast<T&>(o).Font(); };
}

template <typename T>
TNestedGetter AppearanceOf()
{
    return [](TObject& o) -> TObject& { return static_cast<T&>(o).Appearance(); };
}

template <typename T>
TNestedGetter FontColorsOf()
{
    return [](TObject& o) -> TObject& { return static_cast<T&>(o).FontColors(); };
}

void RegisterAppearances(TClassRegistry& registry)
{
    using Four = VtFourStateAppearance;
    registry.Register("VtFourStateAppearance", "")
        .Property("RaisedBmp", PictureSetter<Four>([](Four& a, const TBitmap& b) { a.SetRaisedBmp(b); }))
        .Property("SunkenBmp", PictureSetter<Four>([](Four& a, const TBitmap& b) { a.SetSunkenBmp(b); }))
        .Property("FocusedBmp", PictureSetter<Four>([](Four& a, const TBitmap& b) { a.SetFocusedBmp(b); }))
        .Property("DisabledBmp", PictureSetter<Four>([](Four& a, const TBitmap& b) { a.SetDisabledBmp(b); }));

    using Three = VtThreeStateAppearance;
    registry.Register("VtThreeStateAppearance", "")
        .Property("NormalBmp", PictureSetter<Three>([](Three& a, const TBitmap& b) { a.SetNormalBmp(b); }))
        .Property("FocusedBmp", PictureSetter<Three>([](Three& a, const TBitmap& b) { a.SetFocusedBmp(b); }))
        .Property("DisabledBmp", PictureSetter<Three>([](Three& a, const TBitmap& b) { a.SetDisabledBmp(b); }));

    registry.Register("VtChkBoxAppearance", "")
        .Nested("Uncheck", "VtFourStateAppearance", [](TObject& o) -> TObject& { return static_cast<VtChkBoxAppearance&>(o).Uncheck(); })
        .Nested("Check", "VtFourStateAppearance", [](TObject& o) -> TObject& { return static_cast<VtChkBoxAppearance&>(o).Check(); })
        .Nested("Gray", "VtFourStateAppearance", [](TObject& o) -> TObject& { return static_cast<VtChkBoxAppearance&>(o).Gray(); });

    registry.Register("VtRadioBtnAppearance", "")
        .Nested("Uncheck", "VtFourStateAppearance", [](TObject& o) -> TObject& { return static_cast<VtRadioBtnAppearance&>(o).Uncheck(); })
        .Nested("Check", "VtFourStateAppearance", [](TObject& o) -> TObject& { return static_cast<VtRadioBtnAppearance&>(o).Check(); });

    using Two = VtTwoStateFontColor;
    registry.Register("VtTwoStateFontColor", "")
        .Property("Focused", ColorWriter<Two>([](Two& c, TColor v) { c.SetFocused(v); }))
        .Property("Disabled", ColorWriter<Two>([](Two& c, TColor v) { c.SetDisabled(v); }));

    using ThreeColors = VtThreeStateFontColor;
    registry.Register("VtThreeStateFontColor", "")
        .Property("Sunken", ColorWriter<ThreeColors>([](ThreeColors& c, TColor v) { c.SetSunken(v); }))
        .Property("Focused", ColorWriter<ThreeColors>([](ThreeColors& c, TColor v) { c.SetFocused(v); }))
        .Property("Disabled", ColorWriter<ThreeColors>([](ThreeColors& c, TColor v) { c.SetDisabled(v); }));

    registry.Register("VtBarOrigin", "")
        .Property("X", IntWriter<VtBarOrigin>([](VtBarOrigin& o, int v) { o.SetX(v); }))
        .Property("Y", IntWriter<VtBarOrigin>([](VtBarOrigin& o, int v) { o.SetY(v); }));
}

void RegisterControls(TClassRegistry& registry)
{
    registry.Register("VtControl", "TWinControl")
        .Property("ShowMouseOver", BoolWriter<VtControl>([](VtControl& c, bool v) { c.SetShowMouseOver(v); }))
        .Property("OnMouseEnter", EventWriter<VtControl, TNotifyEvent>([](VtControl& c, const TNotifyEvent& e) { c.OnMouseEnter = e; }))
        .Property("OnMouseLeave", EventWriter<VtControl, TNotifyEvent>([](VtControl& c, const TNotifyEvent& e) { c.OnMouseLeave = e; }));

    registry.Register("VtCustomControl", "VtControl")
        .Property("Transparent", BoolWriter<VtCustomControl>([](VtCustomControl& c, bool v) { c.SetTransparent(v); }))
        .Property("TransparentColor", ColorWriter<VtCustomControl>([](VtCustomControl& c, TColor v) { c.SetTransparentColor(v); }));

    registry.Register<VtButton>("VtButton", "VtCustomControl")
        .Palette(kPage)
        .Nested("Appearance", "VtFourStateAppearance", AppearanceOf<VtButton>())
        .Property("ModalResult", IntWriter<VtButton>([](VtButton& c, int v) { c.SetModalResult(v); }));

    registry.Register<VtButtonTx>("VtButtonTx", "VtButton")
        .Palette(kPageTx)
        .Nested("Font", "TFont", FontOf<VtButtonTx>())
        .Nested("FontColors", "VtThreeStateFontColor", FontColorsOf<VtButtonTx>())
        .Property("WordWrap", BoolWriter<VtButtonTx>([](VtButtonTx& c, bool v) { c.SetWordWrap(v); }));

    registry.Register<VtBrick>("VtBrick", "VtCustomControl")
        .Palette(kPage)
        .Nested("Appearance", "VtThreeStateAppearance", AppearanceOf<VtBrick>());

    registry.Register<VtBrickTx>("VtBrickTx", "VtBrick")
        .Palette(kPageTx)
        .Nested("Font", "TFont", FontOf<VtBrickTx>())
        .Nested("FontColors", "VtTwoStateFontColor", FontColorsOf<VtBrickTx>());

    registry.Register<VtCheckBox>("VtCheckBox", "VtCustomControl")
        .Palette(kPage)
        .Nested("Appearance", "VtChkBoxAppearance", AppearanceOf<VtCheckBox>())
        .Property("Checked", BoolWriter<VtCheckBox>([](VtCheckBox& c, bool v) { c.SetChecked(v); }))
        .Property("AllowGrayed", BoolWriter<VtCheckBox>([](VtCheckBox& c, bool v) { c.SetAllowGrayed(v); }))
        .Property("State", [](TObject& o, const TLayoutValue& v, const TLayoutContext&) {
            static_cast<VtCheckBox&>(o).SetState(CheckBoxState(v.AsIdentifier()));
        })
        .Property("ClicksDisabled", BoolWriter<VtCheckBox>([](VtCheckBox& c, bool v) { c.SetClicksDisabled(v); }));

    registry.Register<VtRadioButton>("VtRadioButton", "VtCustomControl")
        .Palette(kPage)
        .Nested("Appearance", "VtRadioBtnAppearance", AppearanceOf<VtRadioButton>())
        .Property("Checked", BoolWriter<VtRadioButton>([](VtRadioButton& c, bool v) { c.SetChecked(v); }))
        .Property("ClicksDisabled", BoolWriter<VtRadioButton>([](VtRadioButton& c, bool v) { c.SetClicksDisabled(v); }));

    registry.Register<VtImage>("VtImage", "TImage")
        .Palette(kPage)
        .Property("AlphaChannel", BoolWriter<VtImage>([](VtImage& i, bool v) { i.SetAlphaChannel(v); }))
        .Property("AlphaBlend", BoolWriter<VtImage>([](VtImage& i, bool v) { i.SetAlphaBlend(v); }))
        .Property("AlphaValue", [](TObject& o, const TLayoutValue& v, const TLayoutContext&) {
            const int value = v.AsInt();
            if (value < 0 || value > 255)
                throw std::invalid_argument("AlphaValue " + std::to_string(value) + " outside 0..255");
            static_cast<VtImage&>(o).SetAlphaValue(static_cast<uint8_t>(value));
        });

    registry.Register<VtPanel>("VtPanel", "TPanel")
        .Palette(kPage)
        .Property("DesignTimeVisible", BoolWriter<VtPanel>([](VtPanel& p, bool v) { p.SetDesignTimeVisible(v); }));

    registry.Register<VtBar>("VtBar", "VtBrick")
        .Palette(kPage)
        .Property("Indicator", PictureSetter<VtBar>([](VtBar& b, const TBitmap& picture) { b.SetIndicator(picture); }))
        .Property("Length", IntWriter<VtBar>([](VtBar& b, int v) { b.SetLength(v); }))
        .Property("ScrollPos", IntWriter<VtBar>([](VtBar& b, int v) { b.SetScrollPos(v); }))
        .Property("Kind", [](TObject& o, const TLayoutValue& v, const TLayoutContext&) {
            static_cast<VtBar&>(o).SetKind(ScrollBarKind(v.AsIdentifier()));
        })
        .Nested("Origin", "VtBarOrigin", [](TObject& o) -> TObject& { return static_cast<VtBar&>(o).Origin(); })
        .Property("OnStartScroll", EventWriter<VtBar, TNotifyEvent>([](VtBar& b, const TNotifyEvent& e) { b.OnStartScroll = e; }))
        .Property("OnEndScroll", EventWriter<VtBar, TNotifyEvent>([](VtBar& b, const TNotifyEvent& e) { b.OnEndScroll = e; }))
        .Property("OnScroll", EventWriter<VtBar, TVtScrollEvent>([](VtBar& b, const TVtScrollEvent& e) { b.OnScroll = e; }))
        .Property("OnIndicate", EventWriter<VtBar, TVtIndicateEvent>([](VtBar& b, const TVtIndicateEvent& e) { b.OnIndicate = e; }));
}

} // namespace

void RegisterVtComponents()
{
    TClassRegistry& registry = TClassRegistry::Instance();
    if (registry.Find("VtBar"))
        return;
    RegisterAppearances(registry);
    RegisterControls(registry);
    RegisterVtNumLed(registry);
}
