#pragma once
// Draws primitives onto a drawing surface in the painter's pen and brush
// colours. Each primitive locks the canvas, selects a solid brush and a solid
// copy-mode pen, draws and unlocks. Coordinates pass through unchanged.

#include "framework/graphics/Bitmap.h"
#include "kelp/Graphics/DrawingSurface.h"

namespace kelp {

class SimplePainter {
public:
    explicit SimplePainter(DrawingSurface& surface) : m_surface(surface) {}

    TColor PenColor() const { return m_penColor; }
    TColor BrushColor() const { return m_brushColor; }
    void SetPenColor(TColor color) { m_penColor = color; }
    void SetBrushColor(TColor color) { m_brushColor = color; }

    void FillRect(const RECT& rect);
    void OutlineRect(const RECT& rect);
    void FillEllipse(const RECT& rect);
    void OutlineEllipse(const RECT& rect);
    void FillRoundRect(const RECT& rect, int cornerWidth, int cornerHeight);
    void OutlineRoundRect(const RECT& rect, int cornerWidth, int cornerHeight);
    void FillPolygon(const POINT* pointAry, int count);
    void OutlinePolygon(const POINT* pointAry, int count);
    // Copies the source rectangle of the bitmap to (x, y) unchanged.
    void CopyBitmap(int x, int y, TBitmap& bitmap, const RECT& source);
    void Flush() { m_surface.Flush(); }

    DrawingSurface& Surface() { return m_surface; }

private:
    template <typename Draw>
    void Paint(Draw draw);

    DrawingSurface& m_surface;
    TColor m_penColor = clNone;
    TColor m_brushColor = clNone;
};

} // namespace kelp
