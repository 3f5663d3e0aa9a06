#pragma once
// Figures defined by control points and drawn through a painter in its
// current colours: filled, then outlined. Resizing scales the control
// points relative to the shape's top-left corner, from the original points.

#include "kelp/Graphics/FigureBase.h"
#include "kelp/Graphics/SimplePainter.h"

#include <vector>
#include <windows.h>

namespace kelp {

class Shape : public FigureBase {
public:
    void SetPainter(SimplePainter* painter) { m_painterPtr = painter; }
    SimplePainter* Painter() const { return m_painterPtr; }

    int ControlPointCount() const { return static_cast<int>(m_controlPoints.size()); }
    virtual POINT ControlPoint(int index) const = 0;

    virtual void Fill(SimplePainter& painter) = 0;
    virtual void Outline(SimplePainter& painter) = 0;
    void Draw() override;
    void MoveTo(int left, int top) override;
    void Resize(int width, int height) override;

protected:
    Shape(SimplePainter* painter, std::vector<POINT> points);
    // Bounds and original points after the points were replaced.
    void Reset(std::vector<POINT> points);
    double ScaleX() const { return m_originalWidth ? static_cast<double>(m_width) / m_originalWidth : 1.0; }
    double ScaleY() const { return m_originalHeight ? static_cast<double>(m_height) / m_originalHeight : 1.0; }

    std::vector<POINT> m_controlPoints;

private:
    SimplePainter* m_painterPtr;
    std::vector<POINT> m_design;  // relative to the top-left corner, at the original size
};

// Shapes given by two corners (top-left, bottom-right).
class TwoPointShape : public Shape {
public:
    static constexpr int CONTROL_POINT_COUNT = 2;
    POINT ControlPoint(int index) const override;
    RECT Rect() const { return RECT{m_controlPoints[0].x, m_controlPoints[0].y, m_controlPoints[1].x, m_controlPoints[1].y}; }

protected:
    TwoPointShape(SimplePainter* painter, const RECT& rect);
};

class RectangleShape : public TwoPointShape {
public:
    RectangleShape(SimplePainter* painter, const RECT& rect) : TwoPointShape(painter, rect) {}
    void Fill(SimplePainter& painter) override { painter.FillRect(Rect()); }
    void Outline(SimplePainter& painter) override { painter.OutlineRect(Rect()); }
};

class EllipseShape : public TwoPointShape {
public:
    EllipseShape(SimplePainter* painter, const RECT& rect) : TwoPointShape(painter, rect) {}
    void Fill(SimplePainter& painter) override { painter.FillEllipse(Rect()); }
    void Outline(SimplePainter& painter) override { painter.OutlineEllipse(Rect()); }
};

class RoundRectShape : public TwoPointShape {
public:
    RoundRectShape(SimplePainter* painter, const RECT& rect, int cornerWidth, int cornerHeight);
    void Fill(SimplePainter& painter) override;
    void Outline(SimplePainter& painter) override;

private:
    int m_cornerWidth;
    int m_cornerHeight;
};

// Width and height stay equal; resizing to unequal sides stops the program.
class SquareShape : public TwoPointShape {
public:
    SquareShape(SimplePainter* painter, int left, int top, int side);
    void Resize(int width, int height) override;
    void Fill(SimplePainter& painter) override { painter.FillRect(Rect()); }
    void Outline(SimplePainter& painter) override { painter.OutlineRect(Rect()); }
};

class CircleShape : public SquareShape {
public:
    CircleShape(SimplePainter* painter, int left, int top, int diameter) : SquareShape(painter, left, top, diameter) {}
    void Fill(SimplePainter& painter) override { painter.FillEllipse(Rect()); }
    void Outline(SimplePainter& painter) override { painter.OutlineEllipse(Rect()); }
};

class PolygonShape : public Shape {
public:
    PolygonShape(SimplePainter* painter, std::vector<POINT> points) : Shape(painter, std::move(points)) {}
    POINT ControlPoint(int index) const override;
    void InsertControlPoint(int index, POINT point);
    void Fill(SimplePainter& painter) override { painter.FillPolygon(m_controlPoints.data(), ControlPointCount()); }
    void Outline(SimplePainter& painter) override { painter.OutlinePolygon(m_controlPoints.data(), ControlPointCount()); }
};

} // namespace kelp
