#pragma once
// A windowless control that paints itself through a canvas on its parent's
// device context.

#include "framework/TControl.h"
#include "framework/graphics/Canvas.h"

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner) : TControl(owner) {}

    // The canvas for the current paint call; attached to the parent's DC
    // only while Paint runs.
    virtual TCanvas& Canvas() { return m_canvas; }
    void Paint(HDC dc) final;

protected:
    // Draws the control with its top-left corner at (0, 0) of the canvas.
    virtual void PaintControl(TCanvas& canvas) = 0;

private:
    TCanvas m_canvas;
};
