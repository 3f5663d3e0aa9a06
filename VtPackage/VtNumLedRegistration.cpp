// Published properties of the numeric LED display for form layouts, and
// its place on the designer palette.

#include "VtPackage/VtNumLed.h"
#include "framework/layout/ClassRegistry.h"

#include <stdexcept>
#include <utility>

namespace {

VtNumLedType NumLedType(const std::string& name)
{
    if (name == "nledFloat")
        return nledFloat;
    if (name == "nledTime")
        return nledTime;
    if (name == "nledDate")
        return nledDate;
    throw std::invalid_argument("unknown LED display type '" + name + "'");
}

VtNumLedStyle NumLedStyle(const std::string& name)
{
    if (name == "nledRectangle7_s")
        return nledRectangle7_s;
    throw std::invalid_argument("unknown LED display style '" + name + "'");
}

TCursor Cursor(const TLayoutValue& value)
{
    if (value.kind == TLayoutValue::Kind::Integer)
        return static_cast<TCursor>(value.AsInt());
    const std::string& name = value.AsIdentifier();
    for (auto [cursorName, cursor] : {std::pair{"crDefault", crDefault}, {"crNone", crNone}, {"crArrow", crArrow},
                                      {"crIBeam", crIBeam}, {"crHourGlass", crHourGlass}, {"crHandPoint", crHandPoint}})
        if (name == cursorName)
            return cursor;
    throw std::invalid_argument("unknown cursor '" + name + "'");
}

} // namespace

void RegisterVtNumLed(TClassRegistry& registry)
{
    registry.Register("VtLedColors", "")
        .Property("LightColor", ColorWriter<VtLedColors>([](VtLedColors& c, TColor v) { c.SetLightColor(v); }))
        .Property("DarkColor", ColorWriter<VtLedColors>([](VtLedColors& c, TColor v) { c.SetDarkColor(v); }))
        .Property("BackgroundColor", ColorWriter<VtLedColors>([](VtLedColors& c, TColor v) { c.SetBackgroundColor(v); }))
        .Property("TransparentColor", ColorWriter<VtLedColors>([](VtLedColors& c, TColor v) { c.SetTransparentColor(v); }));

    registry.Register<VtNumLed>("VtNumLed", "TControl")
        .Palette("VtComponents")
        .Property("Type", [](TObject& o, const TLayoutValue& v, const TLayoutContext&) {
            static_cast<VtNumLed&>(o).SetType(NumLedType(v.AsIdentifier()));
        })
        .Property("Style", [](TObject& o, const TLayoutValue& v, const TLayoutContext&) {
            static_cast<VtNumLed&>(o).SetStyle(NumLedStyle(v.AsIdentifier()));
        })
        .Property("ZeroLeading", BoolWriter<VtNumLed>([](VtNumLed& l, bool v) { l.SetZeroLeading(v); }))
        .Property("Format", StringWriter<VtNumLed>([](VtNumLed& l, const std::string& v) { l.SetFormat(v); }))
        .Property("Transparent", BoolWriter<VtNumLed>([](VtNumLed& l, bool v) { l.SetTransparent(v); }))
        // After the size, so that the ratio applies to the stored bounds.
        .LateProperty("KeepRatio", BoolWriter<VtNumLed>([](VtNumLed& l, bool v) { l.SetKeepRatio(v); }))
        .Property("ShowHint", BoolWriter<VtNumLed>([](VtNumLed& l, bool v) { l.SetShowHint(v); }))
        .Property("Cursor", [](TObject& o, const TLayoutValue& v, const TLayoutContext&) {
            static_cast<VtNumLed&>(o).SetCursor(Cursor(v));
        })
        .Nested("LedColors", "VtLedColors", [](TObject& o) -> TObject& { return static_cast<VtNumLed&>(o).LedColors(); });
}
