#pragma once
// One switchable part of an LED: a shape drawn solid in the unlit or lit
// colour of a colour pair shared by all segments of a display.

#include "kelp/Graphics/Shape.h"

#include <array>
#include <memory>

namespace kelp {

using SegmentColors = std::array<TColor, 2>;  // [0] unlit, [1] lit

class Segment : public FigureBase {
public:
    // The shape needs a painter; the colours outlive the segment.
    Segment(std::unique_ptr<Shape> shape, const SegmentColors* colors);

    int State() const { return m_state; }
    // A change of state draws the segment at once.
    void SetState(int state);
    Shape& GetShape() { return *m_shape; }

    void Draw() override;
    void MoveTo(int left, int top) override;
    void Resize(int width, int height) override;
    int OriginalWidth() const override { return m_shape->OriginalWidth(); }
    int OriginalHeight() const override { return m_shape->OriginalHeight(); }

private:
    void Sync();

    std::unique_ptr<Shape> m_shape;
    const SegmentColors* m_colors;
    int m_state = 0;
};

} // namespace kelp
