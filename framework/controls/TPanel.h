#pragma once
// A plain windowed container filled with its colour, with its caption
// centred in its font.

#include "framework/TWinControl.h"
#include "framework/graphics/Canvas.h"

class TPanel : public TWinControl {
public:
    explicit TPanel(TComponent* owner);

    TFont& Font() { return m_canvas.Font(); }

protected:
    void PaintWindow(HDC dc) override;
    void CaptionChanged() override { Invalidate(); }

private:
    TCanvas m_canvas;
};
