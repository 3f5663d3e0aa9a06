#include "kelp/Graphics/Shape.h"

#include "kelp/System/Assert.h"

#include <algorithm>
#include <cmath>

namespace kelp {

namespace {

const char* const kSource = "kelp/Graphics/Shape";

RECT Bounds(const std::vector<POINT>& points)
{
    if (points.empty())
        return RECT{0, 0, 0, 0};
    RECT r{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const POINT& p : points) {
        r.left = std::min(r.left, p.x);
        r.top = std::min(r.top, p.y);
        r.right = std::max(r.right, p.x);
        r.bottom = std::max(r.bottom, p.y);
    }
    return r;
}

} // namespace

Shape::Shape(SimplePainter* painter, std::vector<POINT> points) : FigureBase(0, 0, 0, 0), m_painterPtr(painter)
{
    Reset(std::move(points));
}

void Shape::Reset(std::vector<POINT> points)
{
    m_controlPoints = std::move(points);
    RECT r = Bounds(m_controlPoints);
    SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    m_originalWidth = m_width;
    m_originalHeight = m_height;
    m_design.clear();
    for (const POINT& p : m_controlPoints)
        m_design.push_back(POINT{p.x - m_left, p.y - m_top});
}

void Shape::Draw()
{
    KELP_ASSERT(m_painterPtr, kSource, 57);
    Fill(*m_painterPtr);
    Outline(*m_painterPtr);
}

void Shape::MoveTo(int left, int top)
{
    for (POINT& p : m_controlPoints) {
        p.x += left - m_left;
        p.y += top - m_top;
    }
    FigureBase::MoveTo(left, top);
}

void Shape::Resize(int width, int height)
{
    FigureBase::Resize(width, height);
    const double sx = ScaleX(), sy = ScaleY();
    for (size_t i = 0; i < m_controlPoints.size(); ++i) {
        m_controlPoints[i].x = m_left + static_cast<LONG>(std::trunc(m_design[i].x * sx));
        m_controlPoints[i].y = m_top + static_cast<LONG>(std::trunc(m_design[i].y * sy));
    }
}

TwoPointShape::TwoPointShape(SimplePainter* painter, const RECT& rect)
    : Shape(painter, {POINT{rect.left, rect.top}, POINT{rect.right, rect.bottom}}) {}

POINT TwoPointShape::ControlPoint(int index) const
{
    KELP_ASSERT(index >= 0, kSource, 86);
    KELP_ASSERT(index < CONTROL_POINT_COUNT, kSource, 87);
    return m_controlPoints[index];
}

RoundRectShape::RoundRectShape(SimplePainter* painter, const RECT& rect, int cornerWidth, int cornerHeight)
    : TwoPointShape(painter, rect), m_cornerWidth(cornerWidth), m_cornerHeight(cornerHeight) {}

void RoundRectShape::Fill(SimplePainter& painter)
{
    painter.FillRoundRect(Rect(), static_cast<int>(m_cornerWidth * ScaleX()), static_cast<int>(m_cornerHeight * ScaleY()));
}

void RoundRectShape::Outline(SimplePainter& painter)
{
    painter.OutlineRoundRect(Rect(), static_cast<int>(m_cornerWidth * ScaleX()), static_cast<int>(m_cornerHeight * ScaleY()));
}

SquareShape::SquareShape(SimplePainter* painter, int left, int top, int side)
    : TwoPointShape(painter, RECT{left, top, left + side, top + side}) {}

void SquareShape::Resize(int width, int height)
{
    KELP_ASSERT(width == height, kSource, 121);
    TwoPointShape::Resize(width, height);
}

POINT PolygonShape::ControlPoint(int index) const
{
    KELP_ASSERT(index >= 0, kSource, 126);
    KELP_ASSERT(index < ControlPointCount(), kSource, 127);
    return m_controlPoints[index];
}

void PolygonShape::InsertControlPoint(int index, POINT point)
{
    if (!(static_cast<size_t>(index) <= m_controlPoints.size()))
        AssertionFailed("index <= m_controlPoints.size()", kSource, 133);
    std::vector<POINT> points = m_controlPoints;
    points.insert(points.begin() + index, point);
    Reset(std::move(points));
}

} // namespace kelp
