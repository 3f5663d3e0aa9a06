#pragma once
// A figure that draws one bitmap, pixel for pixel, at its position.

#include "framework/graphics/Bitmap.h"
#include "kelp/Graphics/FigureBase.h"
#include "kelp/Graphics/SimplePainter.h"

namespace kelp {

class BmpFigure : public FigureBase {
public:
    BmpFigure(int left, int top, SimplePainter* painter) : FigureBase(left, top, 0, 0), m_painterPtr(painter) {}

    // The bitmap to draw (not owned); null draws nothing.
    void SetBitmap(TBitmap* bitmap);
    TBitmap* Bitmap() const { return m_bitmap; }
    void Draw() override;

private:
    SimplePainter* m_painterPtr;
    TBitmap* m_bitmap = nullptr;
};

} // namespace kelp
