#pragma once
// Caption colours of the text-bearing controls per look. clNone (-1) means
// that the control's font colour is used. Every real change fires OnChange.

#include "framework/TObject.h"
#include "framework/graphics/Color.h"

class VtCtrlFontColor : public TObject {
public:
    TNotifyEvent OnChange;

protected:
    // Stores the colour; fires OnChange when it differs from the old one.
    void Store(TColor& field, TColor color);
    void Changed();
};

class VtTwoStateFontColor : public VtCtrlFontColor {
public:
    void Assign(const VtTwoStateFontColor& source);

    TColor Focused() const { return m_focused; }
    TColor Disabled() const { return m_disabled; }
    void SetFocused(TColor color) { Store(m_focused, color); }
    void SetDisabled(TColor color) { Store(m_disabled, color); }

private:
    TColor m_focused = clNone;
    TColor m_disabled = clNone;
};

class VtThreeStateFontColor : public VtCtrlFontColor {
public:
    void Assign(const VtThreeStateFontColor& source);

    TColor Sunken() const { return m_sunken; }
    TColor Focused() const { return m_focused; }
    TColor Disabled() const { return m_disabled; }
    void SetSunken(TColor color) { Store(m_sunken, color); }
    void SetFocused(TColor color) { Store(m_focused, color); }
    void SetDisabled(TColor color) { Store(m_disabled, color); }

private:
    TColor m_sunken = clNone;
    TColor m_focused = clNone;
    TColor m_disabled = clNone;
};
