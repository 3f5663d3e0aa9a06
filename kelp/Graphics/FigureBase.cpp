#include "kelp/Graphics/FigureBase.h"

#include "kelp/System/Assert.h"

namespace kelp {

FigureBase::FigureBase(int left, int top, int width, int height)
    : m_left(left), m_top(top), m_width(width), m_height(height), m_originalWidth(width), m_originalHeight(height)
{
    KELP_ASSERT(m_width >=0 && m_height >=0, "kelp\\Graphics\\Source\\FigureBase", 14);
}

void FigureBase::SetBounds(int left, int top, int width, int height)
{
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    KELP_ASSERT(m_width >=0 && m_height >=0, "KELP\\GRAPHICS\\FIGUREBASE", 24);
}

void FigureBase::MoveTo(int left, int top)
{
    SetBounds(left, top, m_width, m_height);
}

void FigureBase::Resize(int width, int height)
{
    SetBounds(m_left, m_top, width, height);
}

} // namespace kelp
