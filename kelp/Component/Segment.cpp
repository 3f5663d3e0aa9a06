#include "kelp/Component/Segment.h"

#include "kelp/System/Assert.h"

namespace kelp {

Segment::Segment(std::unique_ptr<Shape> shape, const SegmentColors* colors)
    : FigureBase(shape->Left(), shape->Top(), shape->Width(), shape->Height()), m_shape(std::move(shape)), m_colors(colors) {}

void Segment::SetState(int state)
{
    if (state == m_state)
        return;
    m_state = state;
    Draw();
}

void Segment::Draw()
{
    SimplePainter* painter = m_shape->Painter();
    KELP_ASSERT(painter != NULL, "kelp/Component/LED", 23);
    TColor color = (*m_colors)[m_state ? 1 : 0];
    painter->SetPenColor(color);
    painter->SetBrushColor(color);
    m_shape->Fill(*painter);
    m_shape->Outline(*painter);
}

void Segment::Sync()
{
    SetBounds(m_shape->Left(), m_shape->Top(), m_shape->Width(), m_shape->Height());
}

void Segment::MoveTo(int left, int top)
{
    m_shape->MoveTo(left, top);
    Sync();
}

void Segment::Resize(int width, int height)
{
    m_shape->Resize(width, height);
    Sync();
}

} // namespace kelp
