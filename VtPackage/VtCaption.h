#pragma once
// The caption of a captioned skinned control: its font, the rectangle it
// is centred in and the offset that moves it once after the control is
// drawn pressed. Draws onto the control's state surface.

#include "framework/graphics/Canvas.h"

#include <functional>
#include <string>

class VtCaption {
public:
    TFont& Font() { return m_font; }
    const TFont& Font() const { return m_font; }

    const RECT& Bounds() const { return m_bounds; }
    void SetBounds(int left, int top, int width, int height) { m_bounds = {left, top, left + width, top + height}; }
    void SetDisp(int x, int y)
    {
        m_dispX = x;
        m_dispY = y;
    }
    // The next drawing, and only that one, is moved by the offset.
    void SetOffsetPending() { m_offsetPending = true; }

    // The drawing of the text, transparently in the given colour with
    // DrawText's format flags, as the caption stands now: a later change of
    // font or bounds does not move it. The canvas keeps its own font and
    // brush.
    std::function<void(TCanvas&)> Drawing(const std::string& text, TColor color, UINT format);

private:
    TFont m_font;
    RECT m_bounds{0, 0, 0, 0};
    int m_dispX = 2;
    int m_dispY = 2;
    bool m_offsetPending = false;
};
