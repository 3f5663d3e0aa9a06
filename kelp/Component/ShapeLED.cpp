#include "kelp/Component/ShapeLED.h"

#include "kelp/System/Assert.h"

namespace kelp {

namespace {

const char* const kSource = "KELP\\COMPONENT\\LED\\SHAPELED";

class TGlyphReader {
public:
    explicit TGlyphReader(std::span<const int> stream) : m_stream(stream) {}
    int Next()
    {
        KELP_ASSERT(m_position < m_stream.size(), kSource, 17);
        return m_stream[m_position++];
    }
    POINT NextPoint()
    {
        int x = Next();
        return POINT{x, Next()};
    }
    RECT NextRect()
    {
        POINT a = NextPoint(), b = NextPoint();
        return RECT{a.x, a.y, b.x, b.y};
    }

private:
    std::span<const int> m_stream;
    size_t m_position = 0;
};

} // namespace

Glyph ReadGlyph(std::span<const int> stream, SimplePainter* painter)
{
    TGlyphReader reader(stream);
    Glyph glyph;
    const int count = reader.Next();
    KELP_ASSERT(count >= 0, kSource, 42);
    glyph.cell = reader.NextRect();
    for (int i = 0; i < count; ++i) {
        switch (reader.Next()) {
        case 0: {
            int n = reader.Next();
            KELP_ASSERT(n >= 0, kSource, 49);
            std::vector<POINT> points;
            for (int p = 0; p < n; ++p)
                points.push_back(reader.NextPoint());
            glyph.shapes.push_back(std::make_unique<PolygonShape>(painter, std::move(points)));
            break;
        }
        case 1:
            glyph.shapes.push_back(std::make_unique<RectangleShape>(painter, reader.NextRect()));
            break;
        case 2:
            glyph.shapes.push_back(std::make_unique<EllipseShape>(painter, reader.NextRect()));
            break;
        case 3: {
            RECT r = reader.NextRect();
            int cornerWidth = reader.Next();
            glyph.shapes.push_back(std::make_unique<RoundRectShape>(painter, r, cornerWidth, reader.Next()));
            break;
        }
        case 4: {
            POINT p = reader.NextPoint();
            glyph.shapes.push_back(std::make_unique<CircleShape>(painter, p.x, p.y, reader.Next()));
            break;
        }
        case 5: {
            POINT p = reader.NextPoint();
            glyph.shapes.push_back(std::make_unique<SquareShape>(painter, p.x, p.y, reader.Next()));
            break;
        }
        default:
            KELP_ASSERT(false, kSource, 80);
        }
    }
    return glyph;
}

} // namespace kelp
