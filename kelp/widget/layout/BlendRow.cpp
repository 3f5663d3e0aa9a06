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

// floor(x / 255) in each unsigned 16-bit lane, exact for x <= 65279.
__m128i DivideBy255(__m128i x)
{
    return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(x, _mm_set1_epi16(1)), _mm_srli_epi16(x, 8)), 8);
}

// Two pixels widened to 16-bit lanes (B, G, R, A, B, G, R, A): each
// pixel's alpha in all four of its lanes.
__m128i SpreadAlpha(__m128i pixels)
{
    return _mm_shufflehi_epi16(_mm_shufflelo_epi16(pixels, 0xFF), 0xFF);
}

// Two widened pixels at any opacity; the results come back as 16-bit
// lanes. `opacity` holds 0 in the alpha lanes: a weight of 0 there gives
// back the destination's alpha exactly, so no masking is needed after.
__m128i BlendTwo(__m128i source, __m128i destination, __m128i opacity)
{
    // Weights alpha × opacity are at most 65025: unsigned 16-bit lanes.
    const __m128i weight = _mm_mullo_epi16(SpreadAlpha(source), opacity);
    const __m128i rest = _mm_sub_epi16(_mm_set1_epi16(static_cast<short>(kFull)), weight);
    // 8-bit by 16-bit products need 24 bits: low and high halves, joined.
    const __m128i dLow = _mm_mullo_epi16(destination, rest), dHigh = _mm_mulhi_epu16(destination, rest);
    const __m128i sLow = _mm_mullo_epi16(source, weight), sHigh = _mm_mulhi_epu16(source, weight);
    const __m128i first = _mm_add_epi32(_mm_unpacklo_epi16(dLow, dHigh), _mm_unpacklo_epi16(sLow, sHigh));
    const __m128i second = _mm_add_epi32(_mm_unpackhi_epi16(dLow, dHigh), _mm_unpackhi_epi16(sLow, sHigh));
    return _mm_packs_epi32(DivideByFull(first), DivideByFull(second));
}

// Two widened pixels at full opacity. The weight alpha × 255 cancels
// against 255 × 255, leaving floor((d × (255 − a) + s × a) / 255), whose
// numerator fits a 16-bit lane. `colourLanes` zeroes the alpha lanes'
// alpha, so they give back the destination's alpha.
__m128i BlendTwoOpaque(__m128i source, __m128i destination, __m128i colourLanes)
{
    const __m128i alpha = _mm_and_si128(SpreadAlpha(source), colourLanes);
    const __m128i rest = _mm_xor_si128(alpha, _mm_set1_epi16(255));
    return DivideBy255(_mm_add_epi16(_mm_mullo_epi16(destination, rest), _mm_mullo_epi16(source, alpha)));
}

// Whether all four alpha bytes of four source pixels equal those of `value`.
bool AllAlphasAre(__m128i pixels, __m128i value)
{
    constexpr int kAlphaBits = 0x8888; // the byte-mask bits of the four alpha bytes
    return (_mm_movemask_epi8(_mm_cmpeq_epi8(pixels, value)) & kAlphaBits) == kAlphaBits;
}

// Four pixels at any opacity below full.
__m128i BlendFour(__m128i source, __m128i destination, __m128i opacity)
{
    const __m128i zero = _mm_setzero_si128();
    return _mm_packus_epi16(BlendTwo(_mm_unpacklo_epi8(source, zero), _mm_unpacklo_epi8(destination, zero), opacity),
                            BlendTwo(_mm_unpackhi_epi8(source, zero), _mm_unpackhi_epi8(destination, zero), opacity));
}

// Four pixels at full opacity: when all four are fully opaque the result is
// the source's colours, copied.
__m128i BlendFourOpaque(__m128i source, __m128i destination)
{
    const __m128i alphaBytes = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    if (AllAlphasAre(source, _mm_set1_epi32(-1)))
        return _mm_or_si128(_mm_andnot_si128(alphaBytes, source), _mm_and_si128(alphaBytes, destination));
    const __m128i zero = _mm_setzero_si128();
    const __m128i colourLanes = _mm_set_epi16(0, -1, -1, -1, 0, -1, -1, -1);
    return _mm_packus_epi16(
        BlendTwoOpaque(_mm_unpacklo_epi8(source, zero), _mm_unpacklo_epi8(destination, zero), colourLanes),
        BlendTwoOpaque(_mm_unpackhi_epi8(source, zero), _mm_unpackhi_epi8(destination, zero), colourLanes));
}

// Four pixels at a time onto a 32-bit destination below full opacity;
// returns how many were done. (A test for fully transparent groups here
// would cost a tenth of the time of pictures whose alpha keeps changing.)
int BlendRowWide(const uint8_t* source, uint8_t* destination, int pixels, uint8_t opacity)
{
    // The alpha lanes get opacity 0, hence weight 0.
    const __m128i lanes = _mm_set_epi16(0, opacity, opacity, opacity, 0, opacity, opacity, opacity);
    int done = 0;
    for (; done + 4 <= pixels; done += 4, source += 16, destination += 16) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(destination));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(destination), BlendFour(s, d, lanes));
    }
    return done;
}

// The same at full opacity, where groups of four fully transparent source
// pixels leave the destination as it is and are skipped.
int BlendRowWideOpaque(const uint8_t* source, uint8_t* destination, int pixels)
{
    const __m128i transparent = _mm_setzero_si128();
    int done = 0;
    for (; done + 4 <= pixels; done += 4, source += 16, destination += 16) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source));
        if (!AllAlphasAre(s, transparent))
            _mm_storeu_si128(reinterpret_cast<__m128i*>(destination),
                             BlendFourOpaque(s, _mm_loadu_si128(reinterpret_cast<const __m128i*>(destination))));
    }
    return done;
}

} // namespace

void BlendRow(const uint8_t* source, uint8_t* destination, int pixels, int destinationStep, uint8_t opacity)
{
    // At opacity 0 every weight is 0: each channel stays as it is.
    if (opacity == 0)
        return;
    int done = 0;
    if (destinationStep == 4)
        done = opacity == 255 ? BlendRowWideOpaque(source, destination, pixels)
                              : BlendRowWide(source, destination, pixels, opacity);
    source += done * 4;
    destination += done * destinationStep;
    for (; done < pixels; ++done, source += 4, destination += destinationStep) {
        const uint32_t weight = uint32_t(source[3]) * opacity;
        for (int c = 0; c < 3; ++c)
            destination[c] = BlendChannel(source[c], destination[c], weight);
    }
}

} // namespace kelp
