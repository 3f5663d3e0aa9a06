#include "NumLedRow.h"

#include "framework/controls/TImage.h"

#include <algorithm>
#include <vector>

namespace numledtest {

namespace {

struct TPoint {
    double x, y;
};

struct TGlyphSamples {
    int width;
    int height;
    std::vector<TPoint> segments;  // one point well inside each segment
    TPoint gap;                    // a point between segments
};

// Seven-segment digit, segments a to g.
const TGlyphSamples kDigit{18, 22, {{8, 2.5}, {14.5, 6.5}, {14.5, 14.5}, {8, 18.5}, {2.5, 14.5}, {2.5, 6.5}, {8, 10.5}}, {8, 6}};
const TGlyphSamples kPoint{6, 27, {{3, 23}}, {3, 10}};
const TGlyphSamples kDegree{9, 27, {{5, 2.5}, {2, 6}, {7, 4.5}, {7, 9}}, {4.5, 6}};
const TGlyphSamples kLetterC{19, 27, {{10, 4}, {2.5, 9}, {2.5, 18.5}, {10, 23}}, {10, 13}};
// R top bar and right stroke, P left and bottom strokes, M top bar, middle
// and right strokes.
const TGlyphSamples kRpm{47, 27, {{5.5, 12.5}, {9.5, 15.5}, {14.5, 15}, {19.5, 18.5}, {33, 12.5}, {36.5, 18}, {44.5, 15}}, {20, 5}};

// Lit segments of each digit.
const char* const kDigitSegments[10] = {"abcdef", "bc", "abdeg", "abcdg", "bcfg", "acdfg", "acdefg", "abc", "abcdefg", "abcdfg"};

const TGlyphSamples& Samples(char c)
{
    switch (c) {
    case '.':
        return kPoint;
    case '^':
        return kDegree;
    case 'C':
        return kLetterC;
    case '&':
        return kRpm;
    default:
        return kDigit;
    }
}

char DigitOf(const std::string& lit)
{
    if (lit.empty())
        return '_';
    for (int d = 0; d < 10; ++d)
        if (lit == kDigitSegments[d])
            return static_cast<char>('0' + d);
    return '?';
}

} // namespace

int RowWidth(const std::string& format)
{
    int width = 0;
    for (char c : format)
        width += Samples(c).width;
    return width;
}

int RowHeight(const std::string& format)
{
    int height = 0;
    for (char c : format)
        height = std::max(height, Samples(c).height);
    return height;
}

void RowReader::Capture()
{
    TImage& image = m_led.Image();
    m_shot.SetSize(image.Width(), image.Height());
    m_shot.Canvas().Brush().SetColor(clWhite);
    m_shot.Canvas().FillRect(RECT{0, 0, image.Width(), image.Height()});
    image.Paint(m_shot.Canvas().Handle());
}

std::string RowReader::Read()
{
    Capture();
    const std::string format = m_led.GetFormat();
    std::string row;
    double left = 0;
    for (char c : format) {
        const TGlyphSamples& glyph = Samples(c);
        std::string lit;
        bool clean = At(left + glyph.gap.x, glyph.gap.y) == kBackground;
        for (size_t i = 0; i < glyph.segments.size(); ++i) {
            TColor color = At(left + glyph.segments[i].x, glyph.segments[i].y);
            if (color == kLight)
                lit += static_cast<char>('a' + i);
            else if (color != kDark)
                clean = false;
        }
        if (!clean)
            row += '!';
        else if (&glyph == &kDigit)
            row += DigitOf(lit);
        else
            row += lit.empty() ? '-' : lit.size() == glyph.segments.size() ? '+' : '?';
        left += glyph.width;
    }
    return row;
}

} // namespace numledtest
