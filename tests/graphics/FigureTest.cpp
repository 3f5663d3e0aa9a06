#include "kelp/Component/LED.h"
#include "kelp/Component/ShapeLED.h"
#include "kelp/Graphics/CompositeFigure.h"
#include "kelp/Graphics/Shape.h"

#include <gtest/gtest.h>

namespace {

// A bitmap as the drawing surface.
class BitmapSurface : public kelp::DrawingSurface {
public:
    BitmapSurface(int w, int h)
    {
        bitmap.SetSize(w, h);
        bitmap.Canvas().Brush().SetColor(clWhite);
        bitmap.Canvas().FillRect(RECT{0, 0, w, h});
    }
    TCanvas& Canvas() override { return bitmap.Canvas(); }
    void Flush() override { ++flushes; }
    TBitmap bitmap;
    int flushes = 0;
};

// Two states: 0 lights segment 0, 1 lights segment 1.
class AlternatingTable : public kelp::LEDStateTable {
public:
    int StateCount() const override { return 2; }
    int SegmentCount() const override { return 2; }
    bool IsLit(int state, int segment) const override { return state == segment; }
};

} // namespace

TEST(FigureTest, CompositeResizeScalesOffsetsAndChildren)
{
    BitmapSurface surface(10, 10);
    kelp::SimplePainter painter(surface);
    kelp::CompositeFigure composite(0, 0, 100, 50);
    kelp::RectangleShape rect(&painter, RECT{10, 10, 30, 20});
    kelp::PolygonShape triangle(&painter, {POINT{50, 0}, POINT{60, 10}, POINT{40, 10}});
    composite.Add(&rect);
    composite.Add(&triangle);
    composite.Resize(200, 100);
    EXPECT_EQ(rect.Left(), 20);
    EXPECT_EQ(rect.Top(), 20);
    EXPECT_EQ(rect.Width(), 40);
    EXPECT_EQ(rect.Height(), 20);
    EXPECT_EQ(rect.ControlPoint(1).x, 60);
    EXPECT_EQ(triangle.ControlPoint(0).x, 100);
    EXPECT_EQ(triangle.ControlPoint(1).y, 20);
    EXPECT_EQ(composite.Width(), 200);

    // Back to a smaller size scales from the original, truncating.
    composite.Resize(33, 33);
    EXPECT_EQ(rect.Left(), 3);    // trunc(10 * 0.33)
    EXPECT_EQ(rect.Top(), 6);     // trunc(10 * 0.66)
    EXPECT_EQ(rect.Width(), 6);   // trunc(20 * 0.33)

    // Moving a composite carries its children along.
    composite.MoveTo(100, 100);
    EXPECT_EQ(rect.Left(), 103);
    EXPECT_EQ(rect.ControlPoint(0).y, 106);
}

TEST(FigureDeathTest, PreconditionsOfFiguresAndShapes)
{
    BitmapSurface surface(10, 10);
    kelp::SimplePainter painter(surface);
    kelp::CompositeFigure composite(0, 0, 10, 10);
    kelp::RectangleShape outside(&painter, RECT{5, 5, 20, 8});
    EXPECT_EXIT(composite.Add(&outside), testing::ExitedWithCode(3),
                "figurePtr->Left\\(\\) >= m_left.*kelp.Graphics.Source.FigureBase");
    kelp::RectangleShape inside(&painter, RECT{2, 2, 8, 8});
    composite.Add(&inside);
    EXPECT_EXIT(composite.SetRect(RECT{3, 0, 10, 10}), testing::ExitedWithCode(3), "\\(\\*first\\)->Left\\(\\) >= rect.left");
    kelp::CompositeFigure flat(0, 0, 0, 5);
    EXPECT_EXIT(flat.Resize(5, 5), testing::ExitedWithCode(3), "m_originalWidth > 0 && m_originalHeight > 0");
    kelp::SquareShape square(&painter, 0, 0, 4);
    EXPECT_EXIT(square.Resize(4, 5), testing::ExitedWithCode(3), "width == height");
    EXPECT_EXIT(square.ControlPoint(2), testing::ExitedWithCode(3), "index < CONTROL_POINT_COUNT");
    kelp::PolygonShape polygon(&painter, {POINT{0, 0}});
    EXPECT_EXIT(polygon.InsertControlPoint(2, POINT{1, 1}), testing::ExitedWithCode(3), "index <= m_controlPoints.size\\(\\)");
    EXPECT_EXIT(kelp::FigureBase* f = new kelp::CompositeFigure(0, 0, -1, 0); (void)f, testing::ExitedWithCode(3),
                "m_width >=0 && m_height >=0");
}

TEST(FigureTest, SegmentsAreSolidInLitOrUnlitColourAndRedrawOnChange)
{
    BitmapSurface surface(20, 10);
    kelp::SimplePainter painter(surface);
    const kelp::SegmentColors colors = {0x000040, 0x0000FF};
    AlternatingTable table;
    kelp::LED led(RECT{0, 0, 20, 10}, table);
    led.AddSegment(std::make_unique<kelp::Segment>(std::make_unique<kelp::RectangleShape>(&painter, RECT{0, 0, 10, 10}), &colors));
    led.AddSegment(std::make_unique<kelp::Segment>(std::make_unique<kelp::EllipseShape>(&painter, RECT{10, 0, 20, 10}), &colors));
    EXPECT_EQ(led.State(), -1);
    led.Draw();
    EXPECT_EQ(surface.bitmap.PixelColor(5, 5), 0x000040u);
    EXPECT_EQ(surface.bitmap.PixelColor(0, 0), 0x000040u);  // the edge is in the fill colour
    EXPECT_EQ(surface.bitmap.PixelColor(15, 5), 0x000040u);
    EXPECT_EQ(surface.bitmap.PixelColor(10, 0), clWhite);   // ellipse corner untouched

    led.SetState(0);  // segment 0 changes and redraws by itself
    EXPECT_EQ(surface.bitmap.PixelColor(5, 5), 0x0000FFu);
    EXPECT_EQ(surface.bitmap.PixelColor(15, 5), 0x000040u);
    led.SetState(1);
    EXPECT_EQ(surface.bitmap.PixelColor(5, 5), 0x000040u);
    EXPECT_EQ(surface.bitmap.PixelColor(15, 5), 0x0000FFu);
    EXPECT_EXIT(led.SetState(2), testing::ExitedWithCode(3), "state >= 0 && state < StateCount\\(\\)");

    kelp::LEDList list;
    list.Insert(0, std::make_unique<kelp::LED>(RECT{0, 0, 1, 1}, table), 0);
    list.Insert(0, std::make_unique<kelp::LED>(RECT{0, 0, 1, 1}, table), 7);
    EXPECT_EQ(list.LEDCount(), 2);
    EXPECT_EQ(list.Offset(0), 7);
    EXPECT_EQ(list.StateCount(1), 2);
    EXPECT_EQ(list.State(1), -1);
    list.Remove(0);
    EXPECT_EQ(list.Offset(0), 0);
    EXPECT_EXIT(list.State(1), testing::ExitedWithCode(3), "indexOfLED < m_LEDs.size\\(\\)");
    EXPECT_EXIT(list.Insert(3, nullptr, 0), testing::ExitedWithCode(3), "index <= LEDCount\\(\\)");
}

TEST(FigureTest, GlyphStreamBuildsEveryShapeKind)
{
    const int stream[] = {6, 0, 0, 40, 60,
                          0, 3, 0, 0, 10, 0, 5, 8,
                          1, 1, 2, 11, 12,
                          2, 0, 20, 10, 30,
                          3, 0, 30, 20, 40, 4, 4,
                          4, 5, 45, 6,
                          5, 20, 45, 7};
    kelp::Glyph glyph = kelp::ReadGlyph(stream, nullptr);
    EXPECT_EQ(glyph.cell.right, 40);
    EXPECT_EQ(glyph.cell.bottom, 60);
    ASSERT_EQ(glyph.shapes.size(), 6u);
    EXPECT_NE(dynamic_cast<kelp::PolygonShape*>(glyph.shapes[0].get()), nullptr);
    EXPECT_EQ(glyph.shapes[0]->ControlPointCount(), 3);
    EXPECT_EQ(glyph.shapes[0]->Height(), 8);
    EXPECT_NE(dynamic_cast<kelp::RectangleShape*>(glyph.shapes[1].get()), nullptr);
    EXPECT_EQ(glyph.shapes[1]->Width(), 10);
    EXPECT_NE(dynamic_cast<kelp::EllipseShape*>(glyph.shapes[2].get()), nullptr);
    EXPECT_NE(dynamic_cast<kelp::RoundRectShape*>(glyph.shapes[3].get()), nullptr);
    EXPECT_NE(dynamic_cast<kelp::CircleShape*>(glyph.shapes[4].get()), nullptr);
    EXPECT_EQ(glyph.shapes[4]->Width(), 6);
    EXPECT_EQ(glyph.shapes[4]->Height(), 6);
    EXPECT_NE(dynamic_cast<kelp::SquareShape*>(glyph.shapes[5].get()), nullptr);
    EXPECT_EQ(glyph.shapes[5]->Left(), 20);
    EXPECT_EQ(glyph.shapes[5]->Height(), 7);

    const int unknown[] = {1, 0, 0, 1, 1, 6, 0, 0};
    EXPECT_EXIT(kelp::ReadGlyph(unknown, nullptr), testing::ExitedWithCode(3), "Assertion failed: false");
    const int cut[] = {1, 0, 0, 1, 1, 1, 0, 0};
    EXPECT_EXIT(kelp::ReadGlyph(cut, nullptr), testing::ExitedWithCode(3), "SHAPELED");
}
