// The framework's own streamable classes and their published properties.

#include "framework/TForm.h"
#include "framework/TTimer.h"
#include "framework/controls/TImage.h"
#include "framework/controls/TLabel.h"
#include "framework/controls/TTextBox.h"
#include "framework/controls/TPanel.h"
#include "framework/layout/ClassRegistry.h"

#include <stdexcept>

namespace {

unsigned FontStyle(const TLayoutValue& value)
{
    if (value.kind != TLayoutValue::Kind::Set)
        throw std::invalid_argument("expected a set such as [fsBold]");
    unsigned style = 0;
    for (const std::string& item : value.items) {
        if (item == "fsBold")
            style |= fsBold;
        else if (item == "fsItalic")
            style |= fsItalic;
        else if (item == "fsUnderline")
            style |= fsUnderline;
        else if (item == "fsStrikeOut")
            style |= fsStrikeOut;
        else
            throw std::invalid_argument("unknown font style '" + item + "'");
    }
    return style;
}

BYTE Charset(const TLayoutValue& value)
{
    if (value.kind == TLayoutValue::Kind::Integer)
        return static_cast<BYTE>(value.AsInt());
    const std::string& name = value.AsIdentifier();
    if (name == "DEFAULT_CHARSET")
        return DEFAULT_CHARSET;
    if (name == "ANSI_CHARSET")
        return ANSI_CHARSET;
    if (name == "SYMBOL_CHARSET")
        return SYMBOL_CHARSET;
    if (name == "GB2312_CHARSET")
        return GB2312_CHARSET;
    if (name == "SHIFTJIS_CHARSET")
        return SHIFTJIS_CHARSET;
    throw std::invalid_argument("unknown character set '" + name + "'");
}

TBorderStyle BorderStyle(const std::string& name)
{
    if (name == "bsNone")
        return TBorderStyle::None;
    if (name == "bsSingle")
        return TBorderStyle::Single;
    if (name == "bsSizeable")
        return TBorderStyle::Sizeable;
    if (name == "bsDialog")
        return TBorderStyle::Dialog;
    if (name == "bsToolWindow")
        return TBorderStyle::ToolWindow;
    throw std::invalid_argument("unknown border style '" + name + "'");
}

TPosition Position(const std::string& name)
{
    if (name == "poDesigned")
        return TPosition::Designed;
    if (name == "poScreenCenter")
        return TPosition::ScreenCenter;
    if (name == "poMainFormCenter")
        return TPosition::MainFormCenter;
    throw std::invalid_argument("unknown position '" + name + "'");
}

TFormStyle FormStyle(const std::string& name)
{
    if (name == "fsNormal")
        return TFormStyle::Normal;
    if (name == "fsStayOnTop")
        return TFormStyle::StayOnTop;
    throw std::invalid_argument("unknown form style '" + name + "'");
}

UINT Alignment(const std::string& name)
{
    if (name == "taLeftJustify")
        return DT_LEFT;
    if (name == "taCenter")
        return DT_CENTER;
    if (name == "taRightJustify")
        return DT_RIGHT;
    throw std::invalid_argument("unknown alignment '" + name + "'");
}

} // namespace

void RegisterFrameworkClasses(TClassRegistry& registry)
{
    registry.Register("TFont", "")
        .Property("Name", StringWriter<TFont>([](TFont& f, const std::string& v) { f.SetName(v); }))
        .Property("Height", IntWriter<TFont>([](TFont& f, int v) { f.SetHeight(v); }))
        .Property("Size", IntWriter<TFont>([](TFont& f, int v) { f.SetSize(v); }))
        .Property("Color", ColorWriter<TFont>([](TFont& f, TColor v) { f.SetColor(v); }))
        .Property("Style", [](TObject& o, const TLayoutValue& v, const TLayoutContext&) { static_cast<TFont&>(o).SetStyle(FontStyle(v)); })
        .Property("Charset", [](TObject& o, const TLayoutValue& v, const TLayoutContext&) { static_cast<TFont&>(o).SetCharset(Charset(v)); });

    registry.Register("TComponent", "")
        .Property("Tag", IntWriter<TComponent>([](TComponent& c, int v) { c.SetTag(v); }));

    registry.Register("TControl", "TComponent")
        .Property("Left", IntWriter<TControl>([](TControl& c, int v) { c.SetLeft(v); }))
        .Property("Top", IntWriter<TControl>([](TControl& c, int v) { c.SetTop(v); }))
        .Property("Width", IntWriter<TControl>([](TControl& c, int v) { c.SetWidth(v); }))
        .Property("Height", IntWriter<TControl>([](TControl& c, int v) { c.SetHeight(v); }))
        .LateProperty("ClientWidth", IntWriter<TControl>([](TControl& c, int v) { c.SetClientWidth(v); }))
        .LateProperty("ClientHeight", IntWriter<TControl>([](TControl& c, int v) { c.SetClientHeight(v); }))
        .Property("Caption", StringWriter<TControl>([](TControl& c, const std::string& v) { c.SetCaption(v); }))
        .Property("Hint", StringWriter<TControl>([](TControl& c, const std::string& v) { c.SetHint(v); }))
        .Property("Visible", BoolWriter<TControl>([](TControl& c, bool v) { c.SetVisible(v); }))
        .Property("Enabled", BoolWriter<TControl>([](TControl& c, bool v) { c.SetEnabled(v); }))
        .Property("Color", ColorWriter<TControl>([](TControl& c, TColor v) { c.SetColor(v); }))
        .Property("OnClick", EventWriter<TControl, TNotifyEvent>([](TControl& c, const TNotifyEvent& e) { c.OnClick = e; }))
        .Property("OnDblClick", EventWriter<TControl, TNotifyEvent>([](TControl& c, const TNotifyEvent& e) { c.OnDblClick = e; }))
        .Property("OnResize", EventWriter<TControl, TNotifyEvent>([](TControl& c, const TNotifyEvent& e) { c.OnResize = e; }))
        .Property("OnMouseDown", EventWriter<TControl, TMouseEvent>([](TControl& c, const TMouseEvent& e) { c.OnMouseDown = e; }))
        .Property("OnMouseUp", EventWriter<TControl, TMouseEvent>([](TControl& c, const TMouseEvent& e) { c.OnMouseUp = e; }))
        .Property("OnMouseMove", EventWriter<TControl, TMouseMoveEvent>([](TControl& c, const TMouseMoveEvent& e) { c.OnMouseMove = e; }));

    registry.Register("TWinControl", "TControl")
        .Property("TabStop", BoolWriter<TWinControl>([](TWinControl& c, bool v) { c.SetTabStop(v); }))
        .Property("DoubleBuffered", BoolWriter<TWinControl>([](TWinControl& c, bool v) { c.SetDoubleBuffered(v); }))
        .Property("OnEnter", EventWriter<TWinControl, TNotifyEvent>([](TWinControl& c, const TNotifyEvent& e) { c.OnEnter = e; }))
        .Property("OnExit", EventWriter<TWinControl, TNotifyEvent>([](TWinControl& c, const TNotifyEvent& e) { c.OnExit = e; }))
        .Property("OnKeyDown", EventWriter<TWinControl, TKeyEvent>([](TWinControl& c, const TKeyEvent& e) { c.OnKeyDown = e; }))
        .Property("OnKeyUp", EventWriter<TWinControl, TKeyEvent>([](TWinControl& c, const TKeyEvent& e) { c.OnKeyUp = e; }))
        .Property("OnKeyPress", EventWriter<TWinControl, TKeyPressEvent>([](TWinControl& c, const TKeyPressEvent& e) { c.OnKeyPress = e; }));

    registry.Register("TForm", "TWinControl")
        .Property("BorderStyle", [](TObject& o, const TLayoutValue& v, const TLayoutContext&) {
            static_cast<TForm&>(o).SetBorderStyle(BorderStyle(v.AsIdentifier()));
        })
        .Property("Scaled", BoolWriter<TForm>([](TForm& f, bool v) { f.SetScaled(v); }))
        .Property("Position", [](TObject& o, const TLayoutValue& v, const TLayoutContext&) {
            static_cast<TForm&>(o).SetPosition(Position(v.AsIdentifier()));
        })
        .Property("FormStyle", [](TObject& o, const TLayoutValue& v, const TLayoutContext&) {
            static_cast<TForm&>(o).SetFormStyle(FormStyle(v.AsIdentifier()));
        })
        .Property("OnShow", EventWriter<TForm, TNotifyEvent>([](TForm& f, const TNotifyEvent& e) { f.OnShow = e; }))
        .Property("OnHide", EventWriter<TForm, TNotifyEvent>([](TForm& f, const TNotifyEvent& e) { f.OnHide = e; }))
        .Property("OnDestroy", EventWriter<TForm, TNotifyEvent>([](TForm& f, const TNotifyEvent& e) { f.OnDestroy = e; }))
        .Property("OnClose", EventWriter<TForm, TCloseEvent>([](TForm& f, const TCloseEvent& e) { f.OnClose = e; }))
        .Property("OnCloseQuery", EventWriter<TForm, TCloseQueryEvent>([](TForm& f, const TCloseQueryEvent& e) { f.OnCloseQuery = e; }));

    registry.Register<TImage>("TImage", "TControl")
        .Property("Picture", PictureWriter<TImage>([](TImage& i) -> TBitmap& { return i.Picture(); }))
        .Property("AutoSize", BoolWriter<TImage>([](TImage& i, bool v) { i.SetAutoSize(v); }))
        .Property("Transparent", BoolWriter<TImage>([](TImage& i, bool v) { i.SetTransparent(v); }))
        .Property("Stretch", BoolWriter<TImage>([](TImage& i, bool v) { i.SetStretch(v); }));

    registry.Register<TLabel>("TLabel", "TControl")
        .Nested("Font", "TFont", [](TObject& o) -> TObject& { return static_cast<TLabel&>(o).Font(); })
        .Property("Transparent", BoolWriter<TLabel>([](TLabel& l, bool v) { l.SetTransparent(v); }))
        .Property("WordWrap", BoolWriter<TLabel>([](TLabel& l, bool v) { l.SetWordWrap(v); }))
        .Property("Alignment", [](TObject& o, const TLayoutValue& v, const TLayoutContext&) {
            static_cast<TLabel&>(o).SetAlignment(Alignment(v.AsIdentifier()));
        });

    registry.Register<TPanel>("TPanel", "TWinControl")
        .Nested("Font", "TFont", [](TObject& o) -> TObject& { return static_cast<TPanel&>(o).Font(); });

    registry.Register<TTextBox>("TTextBox", "TWinControl")
        .Nested("Font", "TFont", [](TObject& o) -> TObject& { return static_cast<TTextBox&>(o).Font(); });

    registry.Register<TTimer>("TTimer", "TComponent")
        .Property("Interval", IntWriter<TTimer>([](TTimer& t, int v) { t.SetInterval(static_cast<unsigned>(v)); }))
        .Property("Enabled", BoolWriter<TTimer>([](TTimer& t, bool v) { t.SetEnabled(v); }))
        .Property("OnTimer", EventWriter<TTimer, TNotifyEvent>([](TTimer& t, const TNotifyEvent& e) { t.OnTimer = e; }));
}
