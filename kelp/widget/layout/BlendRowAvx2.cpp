#include "kelp/widget/layout/BlendRowAvx2.h"

#include "kelp/widget/layout/BlendArithmetic.h"
#include "kelp/widget/layout/BlendWeights.h"

#include <immintrin.h>

namespace kelp {
namespace {

// The lane operations of the exact blend (see BlendArithmetic.h) in AVX2.
struct Avx2Lanes {
    using Vector = __m256i;
    static Vector Add(Vector a, Vector b) { return _mm256_add_epi16(a, b); }
    static Vector Subtract(Vector a, Vector b) { return _mm256_sub_epi16(a, b); }
    static Vector MultiplyLow(Vector a, Vector b) { return _mm256_mullo_epi16(a, b); }
    static Vector MultiplyHigh(Vector a, Vector b) { return _mm256_mulhi_epu16(a, b); }
    static Vector ShiftLeft8(Vector a) { return _mm256_slli_epi16(a, 8); }
    static Vector Splat(short value) { return _mm256_set1_epi16(value); }
};

struct PairWeights {
    __m256i high, low;
};

// The weights of the pixels that the in-lane widening puts side by side:
// pixels first and first + 1 in the lower half, first + 4 and first + 5 in
// the upper one. Unaligned loads, as the table may sit anywhere on the stack.
PairWeights WeightsOf(const uint16_t* weights, const uint8_t* source, int first)
{
    const auto entry = [&](int pixel) {
        return reinterpret_cast<const __m128i*>(weights + source[pixel * 4 + 3] * BlendWeights::kLanesPerAlpha);
    };
    const __m256i even = _mm256_loadu2_m128i(entry(first + 4), entry(first));
    const __m256i odd = _mm256_loadu2_m128i(entry(first + 5), entry(first + 1));
    return {_mm256_unpacklo_epi64(even, odd), _mm256_unpackhi_epi64(even, odd)};
}

// Eight pixels: pixels 0, 1, 4, 5 and 2, 3, 6, 7 widened and blended apart,
// and packed back in their order.
template <bool fullOpacity>
__m256i BlendEight(const uint8_t* source, __m256i s, __m256i d, const uint16_t* weights)
{
    const __m256i zero = _mm256_setzero_si256();
    const auto pair = [&](__m256i s16, __m256i d16, const PairWeights& w) {
        return fullOpacity ? blend::BlendOpaque<Avx2Lanes>(s16, d16, w.high) : blend::Blend<Avx2Lanes>(s16, d16, w.high, w.low);
    };
    return _mm256_packus_epi16(
        pair(_mm256_unpacklo_epi8(s, zero), _mm256_unpacklo_epi8(d, zero), WeightsOf(weights, source, 0)),
        pair(_mm256_unpackhi_epi8(s, zero), _mm256_unpackhi_epi8(d, zero), WeightsOf(weights, source, 2)));
}

// A function rather than a constant: a constant's start-up code would run
// AVX instructions on every processor.
__m256i AlphaBytes()
{
    return _mm256_set1_epi32(static_cast<int>(0xFF000000u));
}

// Whether all eight source pixels are fully transparent.
bool AllTransparent(__m256i pixels)
{
    return _mm256_testz_si256(pixels, AlphaBytes()) != 0;
}

// Whether all eight source pixels are fully opaque.
bool AllOpaque(__m256i pixels)
{
    return _mm256_testc_si256(pixels, AlphaBytes()) != 0;
}

// Groups of fully transparent pixels are skipped at every opacity:
// pictures are mostly such runs (the dial's layers about seven pixels in
// ten), and the test, one instruction per group, costs no measurable time
// where none can be skipped. At full opacity groups of fully opaque pixels
// are copied, keeping the destination's alpha.
template <bool fullOpacity>
int BlendEights(const uint8_t* source, uint8_t* destination, int pixels, const uint16_t* weights)
{
    int done = 0;
    for (; done + 8 <= pixels; done += 8, source += 32, destination += 32) {
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(source));
        if (AllTransparent(s))
            continue;
        __m256i* const target = reinterpret_cast<__m256i*>(destination);
        const __m256i d = _mm256_loadu_si256(target);
        const __m256i alphaBytes = AlphaBytes();
        _mm256_storeu_si256(target, fullOpacity && AllOpaque(s)
                                        ? _mm256_or_si256(_mm256_andnot_si256(alphaBytes, s), _mm256_and_si256(alphaBytes, d))
                                        : BlendEight<fullOpacity>(source, s, d, weights));
    }
    return done;
}

} // namespace

int BlendRowEights(const uint8_t* source, uint8_t* destination, int pixels, const uint16_t* weights, bool fullOpacity)
{
    const int done = fullOpacity ? BlendEights<true>(source, destination, pixels, weights)
                                 : BlendEights<false>(source, destination, pixels, weights);
    // Leaves the upper halves of the registers clean for the SSE code after it.
    _mm256_zeroupper();
    return done;
}

} // namespace kelp
