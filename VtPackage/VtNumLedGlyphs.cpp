#include "VtPackage/VtNumLedGlyphs.h"

#include "VtPackage/VtNumLedFormat.h"

#include <cstdint>
#include <string_view>

namespace kelp {

namespace {

// Each stream: segment count; cell left, top, right, bottom; then per
// segment the polygon code 0, its point count and the points.
constexpr int kDigit[] = {
    7, 0, 0, 18, 22,
    0, 4, 4, 2, 12, 2, 12, 3, 4, 3,        // a, top
    0, 4, 14, 4, 15, 4, 15, 9, 14, 9,      // b, upper right
    0, 4, 14, 12, 15, 12, 15, 17, 14, 17,  // c, lower right
    0, 4, 4, 18, 12, 18, 12, 19, 4, 19,    // d, bottom
    0, 4, 2, 12, 3, 12, 3, 17, 2, 17,      // e, lower left
    0, 4, 2, 4, 3, 4, 3, 9, 2, 9,          // f, upper left
    0, 4, 4, 10, 12, 10, 12, 11, 4, 11,    // g, middle
};

constexpr int kPoint[] = {
    1, 0, 0, 6, 27,
    0, 4, 2, 22, 4, 22, 4, 24, 2, 24,
};

constexpr int kDegree[] = {
    4, 0, 0, 9, 27,
    0, 4, 2, 2, 8, 2, 8, 3, 2, 3,
    0, 4, 1, 3, 3, 3, 3, 9, 1, 9,
    0, 4, 6, 3, 8, 3, 8, 6, 6, 6,
    0, 6, 6, 7, 8, 7, 8, 11, 2, 11, 2, 10, 6, 10,
};

constexpr int kLetterC[] = {
    4, 0, 0, 19, 27,
    0, 5, 4, 4, 5, 3, 17, 3, 15, 5, 5, 5,
    0, 8, 2, 5, 3, 5, 4, 6, 4, 12, 3, 13, 2, 13, 1, 12, 1, 6,
    0, 8, 1, 16, 2, 15, 3, 15, 4, 16, 4, 21, 3, 22, 2, 22, 1, 21,
    0, 5, 4, 23, 5, 22, 15, 22, 17, 24, 5, 24,
};

constexpr int kRpm[] = {
    16, 0, 0, 47, 27,
    // R
    0, 4, 2, 12, 9, 12, 8, 13, 3, 13,
    0, 4, 10, 13, 9, 14, 9, 17, 10, 17,
    0, 4, 1, 13, 2, 14, 2, 17, 1, 17,
    0, 4, 1, 19, 2, 20, 2, 22, 1, 23,
    0, 4, 3, 18, 9, 18, 9, 19, 3, 19,
    0, 3, 8, 20, 10, 23, 6, 20,
    // P
    0, 4, 14, 13, 15, 14, 15, 17, 14, 17,
    0, 4, 15, 12, 23, 12, 22, 13, 16, 13,
    0, 4, 23, 14, 23, 17, 24, 17, 24, 13,
    0, 4, 16, 18, 23, 18, 23, 19, 16, 19,
    0, 4, 14, 19, 14, 24, 15, 23, 15, 19,
    // M
    0, 4, 27, 13, 27, 17, 28, 16, 28, 14,
    0, 4, 27, 19, 27, 24, 28, 23, 28, 20,
    0, 8, 28, 12, 44, 12, 43, 13, 37, 13, 37, 24, 36, 24, 36, 13, 29, 13,
    0, 4, 44, 14, 44, 16, 45, 17, 45, 13,
    0, 4, 44, 20, 44, 23, 45, 24, 45, 19,
};

// Lit segments a..g (bits 0..6) per digit state: blank, the digits 0 to 9,
// then everything.
constexpr uint8_t kDigitMasks[] = {0x00, 0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F, 0x7F};

class TDigitStates : public LEDStateTable {
public:
    int StateCount() const override { return static_cast<int>(std::size(kDigitMasks)); }
    int SegmentCount() const override { return 7; }
    bool IsLit(int state, int segment) const override { return (kDigitMasks[state] >> segment) & 1; }
};

// Two states: everything dark, everything lit.
class TAllOrNothingStates : public LEDStateTable {
public:
    explicit TAllOrNothingStates(int segmentCount) : m_segmentCount(segmentCount) {}
    int StateCount() const override { return 2; }
    int SegmentCount() const override { return m_segmentCount; }
    bool IsLit(int state, int) const override { return state == 1; }

private:
    int m_segmentCount;
};

const TDigitStates kDigitStates;
const TAllOrNothingStates kPointStates(kPoint[0]);
const TAllOrNothingStates kDegreeStates(kDegree[0]);
const TAllOrNothingStates kLetterCStates(kLetterC[0]);
const TAllOrNothingStates kRpmStates(kRpm[0]);

const VtNumLedGlyph kDigitGlyph{kDigit, kDigitStates};
const VtNumLedGlyph kPointGlyph{kPoint, kPointStates};
const VtNumLedGlyph kDegreeGlyph{kDegree, kDegreeStates};
const VtNumLedGlyph kLetterCGlyph{kLetterC, kLetterCStates};
const VtNumLedGlyph kRpmGlyph{kRpm, kRpmStates};

} // namespace

const VtNumLedGlyph* FindNumLedGlyph(char formatChar)
{
    switch (NumLedGlyphKindOf(formatChar)) {
    case NumLedGlyphKind::Digit:
        return &kDigitGlyph;
    case NumLedGlyphKind::Point:
        return &kPointGlyph;
    case NumLedGlyphKind::Degree:
        return &kDegreeGlyph;
    case NumLedGlyphKind::LetterC:
        return &kLetterCGlyph;
    case NumLedGlyphKind::Rpm:
        return &kRpmGlyph;
    case NumLedGlyphKind::None:
        break;
    }
    return nullptr;
}

} // namespace kelp
