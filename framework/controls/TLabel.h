#pragma once
// A caption drawn in its own font: on the control's colour, or over what is
// behind it when Transparent; on one line, or wrapped at word boundaries.

#include "framework/controls/TGraphicControl.h"
#include "framework/graphics/Font.h"

class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* owner);

    TFont& Font() { return m_font; }
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool wordWrap);
    // DT_LEFT, DT_CENTER or DT_RIGHT.
    UINT Alignment() const { return m_alignment; }
    void SetAlignment(UINT alignment);

protected:
    void PaintControl(TCanvas& canvas) override;
    void CaptionChanged() override { Invalidate(); }

private:
    TFont m_font;
    bool m_transparent = false;
    bool m_wordWrap = false;
    UINT m_alignment = DT_LEFT;
};
