#pragma once
// A figure with one bitmap per state that shows the bitmap of its current
// state. The bitmaps are owned copies.

#include "kelp/Graphics/BmpFigure.h"

#include <memory>
#include <vector>

namespace kelp {

class BmpLED : public FigureBase {
public:
    BmpLED(int left, int top, int stateCount, SimplePainter* painter);

    int StateCount() const { return static_cast<int>(m_bitmaps.size()); }
    int State() const { return m_state; }
    // Selects the bitmap of the state; it is drawn by the next Draw.
    void SetState(int state);
    TBitmap& Bitmap(int index);
    // Index of the bitmap among the states, -1 when it is none of them.
    int IndexOf(const TBitmap* bitmap) const;

    void Draw() override;
    void MoveTo(int left, int top) override;

private:
    int m_state = 0;
    std::vector<std::unique_ptr<TBitmap>> m_bitmaps;
    BmpFigure m_figure;
};

} // namespace kelp
