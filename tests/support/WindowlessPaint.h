#pragma once
// What a windowed control shows of its windowless children: they are
// painted in their order into a bitmap of the control's size, through the
// same calls the control's paint handler makes, over a plain background.

#include "framework/TWinControl.h"
#include "framework/graphics/Bitmap.h"

inline void PaintWindowless(TWinControl& control, TBitmap& snapshot, TColor background)
{
    snapshot.SetPixelFormat(TPixelFormat::pf24bit);
    snapshot.SetSize(control.Width(), control.Height());
    TCanvas& canvas = snapshot.Canvas();
    canvas.Brush().SetColor(background);
    canvas.FillRect(RECT{0, 0, control.Width(), control.Height()});
    HDC dc = canvas.Handle();
    for (int i = 0; i < control.ControlCount(); ++i) {
        TControl* child = control.Controls(i);
        if (child->IsWindowed() || !child->Visible())
            continue;
        const int saved = SaveDC(dc);
        OffsetViewportOrgEx(dc, child->Left(), child->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, child->Width(), child->Height());
        child->Paint(dc);
        RestoreDC(dc, saved);
    }
    GdiFlush();
}
