#include "kelp/widget/layout/BlendRow.h"

#include <emmintrin.h>

namespace kelp {
namespace {

constexpr uint32_t kFull = 255 * 255;

uint8_t BlendChannel(uint32_t source, uint32_t destination, uint32_t weight)
{
    return static_cast<uint8_t>((destination * (kFull - weight) + source * weight) / kFull);
}

// floor(n / 65025) in each 32-bit lane for 0 <= n <= 255 × 65025: such n
// are exact as floats, and truncating the single-precision product with
// the float nearest 1/65025 gives the exact quotient over that whole range
// (checked for every n).
__m128i DivideByFull(__m128i n)
{
    const __m128 reciprocal = _mm_set1_ps(1.0f / 65025.0f);
    return _mm_cvttps_epi32(_mm_mul_ps(_mm_cvtepi32_ps(n), reciprocal));
}

// Two pixels, widened to 16-bit lanes (B, G, R, A, B, G, R, A); the
// results come back as 16-bit lanes as well.
__m128i BlendTwo(__m128i source, __m128i destination, __m128i opacity)
{
    // Every lane of a pixel gets that pixel's weight alpha × opacity
    // (at most 65025, so it fits an unsigned 16-bit lane).
    const __m128i alpha = _mm_shufflehi_epi16(_mm_shufflelo_epi16(source, 0xFF), 0xFF);
    const __m128i weight = _mm_mullo_epi16(alpha, opacity);
    const __m128i rest = _mm_sub_epi16(_mm_set1_epi16(static_cast<short>(kFull)), weight);
    // 8-bit by 16-bit products need 24 bits: low and high halves, joined.
    const __m128i dLow = _mm_mullo_epi16(destination, rest), dHigh = _mm_mulhi_epu16(destination, rest);
    const __m128i sLow = _mm_mullo_epi16(source, weight), sHigh = _mm_mulhi_epu16(source, weight);
    const __m128i first = _mm_add_epi32(_mm_unpacklo_epi16(dLow, dHigh), _mm_unpacklo_epi16(sLow, sHigh));
    const __m128i second = _mm_add_epi32(_mm_unpackhi_epi16(dLow, dHigh), _mm_unpackhi_epi16(sLow, sHigh));
    return _mm_packs_epi32(DivideByFull(first), DivideByFull(second));
}

// Four pixels at a time onto a 32-bit destination; returns how many were done.
int BlendRowWide(const uint8_t* source, uint8_t* destination, int pixels, uint8_t opacity)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i opacity16 = _mm_set1_epi16(opacity);
    const __m128i alphaBytes = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    int done = 0;
    for (; done + 4 <= pixels; done += 4, source += 16, destination += 16) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(destination));
        const __m128i low = BlendTwo(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero), opacity16);
        const __m128i high = BlendTwo(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(d, zero), opacity16);
        const __m128i blended = _mm_packus_epi16(low, high);
        const __m128i kept = _mm_or_si128(_mm_andnot_si128(alphaBytes, blended), _mm_and_si128(alphaBytes, d));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(destination), kept);
    }
    return done;
}

} // namespace

void BlendRow(const uint8_t* source, uint8_t* destination, int pixels, int destinationStep, uint8_t opacity)
{
    int done = destinationStep == 4 ? BlendRowWide(source, destination, pixels, opacity) : 0;
    source += done * 4;
    destination += done * destinationStep;
    for (; done < pixels; ++done, source += 4, destination += destinationStep) {
        const uint32_t weight = uint32_t(source[3]) * opacity;
        for (int c = 0; c < 3; ++c)
            destination[c] = BlendChannel(source[c], destination[c], weight);
    }
}

} // namespace kelp
