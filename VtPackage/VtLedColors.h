#pragma once
// The four colours of a numeric LED display. They live in the display
// itself; this object reads and writes them there so that layouts can
// stream them as a nested object.

#include "framework/TObject.h"
#include "framework/graphics/Color.h"

class VtNumLed;

class VtLedColors : public TObject {
public:
    explicit VtLedColors(VtNumLed& owner) : m_owner(owner) {}

    // Copies light, dark, background and transparent colour, in that order.
    void Assign(const VtLedColors& source);

    TColor LightColor() const;
    void SetLightColor(TColor color);
    TColor DarkColor() const;
    void SetDarkColor(TColor color);
    TColor BackgroundColor() const;
    void SetBackgroundColor(TColor color);
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color);

private:
    VtNumLed& m_owner;
};
