#include "kelp/Graphics/OpaqueRuns.h"

#include <emmintrin.h>

namespace kelp {
namespace {

constexpr int kBlock = 16;
constexpr uint32_t kWholeBlock = 0xFFFF;

// The transparency of sixteen 32-bit pixels, bit i for pixel i.
uint32_t TransparentMask32(const uint8_t* pixels, __m128i key)
{
    const __m128i colour = _mm_set1_epi32(0x00FFFFFF);
    uint32_t mask = 0;
    for (int i = 0; i < 4; ++i) {
        const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + 16 * i));
        const __m128i equal = _mm_cmpeq_epi32(_mm_and_si128(four, colour), key);
        mask |= static_cast<uint32_t>(_mm_movemask_ps(_mm_castsi128_ps(equal))) << (4 * i);
    }
    return mask;
}

// Bit i set: byte i of the sixteen at `pixels` equals that of `pattern`
// (16-byte aligned).
uint32_t MatchingBytes(const uint8_t* pixels, const uint8_t* pattern)
{
    const __m128i part = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels));
    const __m128i key = _mm_load_si128(reinterpret_cast<const __m128i*>(pattern));
    return static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(key, part)));
}

// The transparency of sixteen 24-bit pixels, bit i for pixel i. The 48
// bytes are compared with the key repeated (`pattern`): pixel i is
// transparent when match bits 3i, 3i + 1 and 3i + 2 are all set.
uint32_t TransparentMask24(const uint8_t* pixels, const uint8_t* pattern)
{
    const uint32_t first = MatchingBytes(pixels, pattern), second = MatchingBytes(pixels + 16, pattern + 16),
                   third = MatchingBytes(pixels + 32, pattern + 32);
    // Skins are mostly long runs: blocks where every byte matches, or none
    // does, need no gathering of bits.
    if ((first & second & third) == kWholeBlock)
        return kWholeBlock;
    if ((first | second | third) == 0)
        return 0;
    // The 48 match bits as two words; pixel 10 straddles them.
    const uint32_t low = first | second << 16, high = third;
    const uint32_t lowPixels = low & (low >> 1 | high << 31) & (low >> 2 | high << 30);
    const uint32_t highPixels = high & high >> 1 & high >> 2;
    uint32_t mask = 0;
    for (int i = 0; i < 11; ++i)
        mask |= (lowPixels >> (3 * i) & 1) << i;
    for (int i = 11; i < kBlock; ++i)
        mask |= (highPixels >> (3 * i - 32) & 1) << i;
    return mask;
}

// Appends the opaque runs of one row of `width` pixels, given the
// transparency of up to sixteen pixels at a time.
template <typename MaskOf>
void AppendRuns(int width, int y, MaskOf transparentMask, std::vector<RECT>& runs)
{
    int start = -1; // the open run's first pixel, if one is open
    for (int x = 0; x < width; x += kBlock) {
        const int count = width - x < kBlock ? width - x : kBlock;
        const uint32_t inBlock = (1u << count) - 1;
        const uint32_t transparent = transparentMask(x, count), opaque = ~transparent & inBlock;
        // A block that only continues the current run, or gap, needs no search.
        if (start < 0 ? opaque == 0 : opaque == inBlock)
            continue;
        int i = 0;
        while (i < count) {
            const uint32_t next = (start < 0 ? opaque : transparent) >> i;
            if (next == 0)
                break;
            i += __builtin_ctz(next);
            if (start < 0) {
                start = x + i;
            } else {
                runs.push_back(RECT{start, y, x + i, y + 1});
                start = -1;
            }
        }
    }
    if (start >= 0)
        runs.push_back(RECT{start, y, width, y + 1});
}

} // namespace

OpaqueRuns::OpaqueRuns(TBitmap& bitmap, TColor transparentColor)
    : m_bitmap(bitmap),
      m_key{static_cast<uint8_t>(transparentColor >> 16), static_cast<uint8_t>(transparentColor >> 8),
            static_cast<uint8_t>(transparentColor)},
      m_colour(transparentColor & 0xFFFFFF)
{
    switch (bitmap.PixelFormat()) {
    case TPixelFormat::pf32bit:
        m_step = 4;
        break;
    case TPixelFormat::pf24bit:
        m_step = 3;
        break;
    case TPixelFormat::pf4bit:
        break;
    }
    // Rows are read at a fixed stride: one scan-line lookup for the bitmap.
    if (m_step && !bitmap.Empty()) {
        m_rows = bitmap.ScanLine(0);
        m_stride = bitmap.BytesPerLine();
    }
}

bool OpaqueRuns::IsTransparent(const uint8_t* row, int x, int y) const
{
    if (!row)
        return m_bitmap.PixelColor(x, y) == m_colour;
    const uint8_t* p = row + x * m_step;
    return p[0] == m_key[0] && p[1] == m_key[1] && p[2] == m_key[2];
}

void OpaqueRuns::Scan(int y, std::vector<RECT>& runs)
{
    runs.clear();
    const uint8_t* row = m_rows ? m_rows + y * m_stride : nullptr;
    auto scalarMask = [&](int x, int count) {
        uint32_t mask = 0;
        for (int i = 0; i < count; ++i)
            mask |= static_cast<uint32_t>(IsTransparent(row, x + i, y)) << i;
        return mask;
    };
    const int width = m_bitmap.Width();
    if (row && m_step == 4) {
        const __m128i key = _mm_set1_epi32(static_cast<int>(m_key[0] | m_key[1] << 8 | m_key[2] << 16));
        AppendRuns(width, y, [&](int x, int count) {
            return count == kBlock ? TransparentMask32(row + x * 4, key) : scalarMask(x, count);
        }, runs);
    } else if (row) {
        alignas(16) uint8_t repeated[48];
        for (int i = 0; i < 48; ++i)
            repeated[i] = m_key[i % 3];
        AppendRuns(width, y, [&](int x, int count) {
            return count == kBlock ? TransparentMask24(row + x * 3, repeated) : scalarMask(x, count);
        }, runs);
    } else {
        AppendRuns(width, y, scalarMask, runs);
    }
}

} // namespace kelp
