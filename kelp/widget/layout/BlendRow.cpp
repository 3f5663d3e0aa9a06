#include "kelp/widget/layout/BlendRow.h"

#include <emmintrin.h>

namespace kelp {
namespace {

constexpr uint32_t kFull = 255 * 255;

uint8_t BlendChannel(uint32_t source, uint32_t destination, uint32_t weight)
{
    return static_cast<uint8_t>((destination * (kFull - weight) + source * weight) / kFull);
}

// floor(x / 255) in each unsigned 16-bit lane, given x + 1: the high half
// of (x + 1) × 257, exact for every x from 0 to 65534 (checked for each).
__m128i DivideBy255(__m128i xPlusOne)
{
    return _mm_mulhi_epu16(xPlusOne, _mm_set1_epi16(257));
}

// 255 × d + 1 in each lane, the form DivideBy255 takes.
__m128i Times255PlusOne(__m128i d)
{
    return _mm_add_epi16(_mm_sub_epi16(_mm_slli_epi16(d, 8), d), _mm_set1_epi16(1));
}

// The weight lanes of two neighbouring pixels (see BlendWeights).
struct PairWeights {
    __m128i high, low;
};

// Unaligned loads: the weights usually live on the caller's stack, and code
// built without SSE does not align the stack to 16 bytes.
PairWeights WeightsOf(const BlendWeights& weights, uint8_t firstAlpha, uint8_t secondAlpha)
{
    const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(weights.Of(firstAlpha)));
    const __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(weights.Of(secondAlpha)));
    return {_mm_unpacklo_epi64(first, second), _mm_unpackhi_epi64(first, second)};
}

// Two pixels widened to 16-bit lanes, at any opacity. With δ = s − d and
// m = 255 × high + low, the blend is floor(X / 65025) for
// X = 65025 × d + δ × m, which is floor(floor(X / 255) / 255), and
//   floor(X / 255) = 254 × d + δ × high + floor((255 × d + δ × low) / 255).
// Both numerators lie in 0..65025, so lanes that wrap in the products and
// sums still end at the exact value. In the alpha lanes high = low = 0,
// which gives back d.
__m128i BlendTwo(__m128i s, __m128i d, const PairWeights& weights)
{
    const __m128i delta = _mm_sub_epi16(s, d);
    const __m128i d255 = Times255PlusOne(d);
    const __m128i low = DivideBy255(_mm_add_epi16(d255, _mm_mullo_epi16(delta, weights.low)));
    return DivideBy255(_mm_add_epi16(_mm_add_epi16(_mm_sub_epi16(d255, d), _mm_mullo_epi16(delta, weights.high)), low));
}

// The same at full opacity, where high is the alpha and low is 0:
// floor((255 × d + δ × alpha) / 255).
__m128i BlendTwoOpaque(__m128i s, __m128i d, const PairWeights& weights)
{
    return DivideBy255(_mm_add_epi16(Times255PlusOne(d), _mm_mullo_epi16(_mm_sub_epi16(s, d), weights.high)));
}

// Four pixels: the first and last two widened and blended apart.
template <__m128i (*BlendPair)(__m128i, __m128i, const PairWeights&)>
__m128i BlendFour(const uint8_t* source, __m128i s, __m128i d, const BlendWeights& weights)
{
    const __m128i zero = _mm_setzero_si128();
    return _mm_packus_epi16(
        BlendPair(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero), WeightsOf(weights, source[3], source[7])),
        BlendPair(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(d, zero), WeightsOf(weights, source[11], source[15])));
}

// Whether all four alpha bytes of four source pixels equal those of `value`.
bool AllAlphasAre(__m128i pixels, __m128i value)
{
    constexpr int kAlphaBits = 0x8888; // the byte-mask bits of the four alpha bytes
    return (_mm_movemask_epi8(_mm_cmpeq_epi8(pixels, value)) & kAlphaBits) == kAlphaBits;
}

// Four pixels at a time onto a 32-bit destination below full opacity;
// returns how many were done. (A test for fully transparent groups here
// would cost a tenth of the time of pictures whose alpha keeps changing.)
int BlendRowWide(const uint8_t* source, uint8_t* destination, int pixels, const BlendWeights& weights)
{
    int done = 0;
    for (; done + 4 <= pixels; done += 4, source += 16, destination += 16) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(destination));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(destination), BlendFour<BlendTwo>(source, s, d, weights));
    }
    return done;
}

// The same at full opacity, where groups of four fully transparent source
// pixels leave the destination as it is and are skipped, and groups of four
// fully opaque ones are copied.
int BlendRowWideOpaque(const uint8_t* source, uint8_t* destination, int pixels, const BlendWeights& weights)
{
    const __m128i transparent = _mm_setzero_si128(), opaque = _mm_set1_epi32(-1);
    const __m128i alphaBytes = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    int done = 0;
    for (; done + 4 <= pixels; done += 4, source += 16, destination += 16) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source));
        if (AllAlphasAre(s, transparent))
            continue;
        __m128i* const target = reinterpret_cast<__m128i*>(destination);
        const __m128i d = _mm_loadu_si128(target);
        _mm_storeu_si128(target, AllAlphasAre(s, opaque)
                                     ? _mm_or_si128(_mm_andnot_si128(alphaBytes, s), _mm_and_si128(alphaBytes, d))
                                     : BlendFour<BlendTwoOpaque>(source, s, d, weights));
    }
    return done;
}

} // namespace

void BlendRow(const uint8_t* source, uint8_t* destination, int pixels, int destinationStep, const BlendWeights& weights)
{
    const uint8_t opacity = weights.Opacity();
    // At opacity 0 every weight is 0: each channel stays as it is.
    if (opacity == 0)
        return;
    int done = 0;
    if (destinationStep == 4)
        done = opacity == 255 ? BlendRowWideOpaque(source, destination, pixels, weights)
                              : BlendRowWide(source, destination, pixels, weights);
    source += done * 4;
    destination += done * destinationStep;
    for (; done < pixels; ++done, source += 4, destination += destinationStep) {
        const uint32_t weight = uint32_t(source[3]) * opacity;
        for (int c = 0; c < 3; ++c)
            destination[c] = BlendChannel(source[c], destination[c], weight);
    }
}

} // namespace kelp
