#include "kelp/widget/layout/BlendRow.h"

#include "kelp/widget/layout/BlendArithmetic.h"
#include "kelp/widget/layout/BlendRowAvx2.h"

#include <emmintrin.h>

namespace kelp {
namespace {

constexpr uint32_t kFull = 255 * 255;

// Whether the processor and the system run AVX2 code. Kept out of the AVX2
// file, which the compiler may fill with AVX2 instructions anywhere. The
// compiler's processor check also asks the system whether it saves the
// wide registers.
bool Avx2Available()
{
    static const bool available = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return available;
}

uint8_t BlendChannel(uint32_t source, uint32_t destination, uint32_t weight)
{
    return static_cast<uint8_t>((destination * (kFull - weight) + source * weight) / kFull);
}

// The lane operations of the exact blend (see BlendArithmetic.h) in SSE2.
struct Sse2Lanes {
    using Vector = __m128i;
    static Vector Add(Vector a, Vector b) { return _mm_add_epi16(a, b); }
    static Vector Subtract(Vector a, Vector b) { return _mm_sub_epi16(a, b); }
    static Vector MultiplyLow(Vector a, Vector b) { return _mm_mullo_epi16(a, b); }
    static Vector MultiplyHigh(Vector a, Vector b) { return _mm_mulhi_epu16(a, b); }
    static Vector ShiftLeft8(Vector a) { return _mm_slli_epi16(a, 8); }
    static Vector Splat(short value) { return _mm_set1_epi16(value); }
};

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

// Two pixels widened to 16-bit lanes, at any opacity.
__m128i BlendTwo(__m128i s, __m128i d, const PairWeights& weights)
{
    return blend::Blend<Sse2Lanes>(s, d, weights.high, weights.low);
}

// The same at full opacity.
__m128i BlendTwoOpaque(__m128i s, __m128i d, const PairWeights& weights)
{
    return blend::BlendOpaque<Sse2Lanes>(s, d, weights.high);
}

// Four pixels: the first and last two widened and blended apart. Inlined
// into every row loop: as a call it costs a tenth of the blend.
template <__m128i (*BlendPair)(__m128i, __m128i, const PairWeights&)>
[[gnu::always_inline]] inline __m128i BlendFour(const uint8_t* source, __m128i s, __m128i d, const BlendWeights& weights)
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

// Four destination pixels of four bytes, read and written as they are; an
// opaque source pixel replaces the colour and leaves the alpha byte.
struct FourByteDestination {
    static constexpr int kStep = 4;
    static __m128i Load(const uint8_t* pixels) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels)); }
    static void Store(uint8_t* pixels, __m128i value) { _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels), value); }
    static __m128i Opaque(__m128i source, __m128i destination)
    {
        const __m128i alphaBytes = _mm_set1_epi32(static_cast<int>(0xFF000000u));
        return _mm_or_si128(_mm_andnot_si128(alphaBytes, source), _mm_and_si128(alphaBytes, destination));
    }
};

// Four destination pixels of three bytes (twelve bytes, never more), widened
// to four bytes each for the blend and narrowed again. The widened fourth
// byte is 0 and its result is dropped.
struct ThreeByteDestination {
    static constexpr int kStep = 3;
    static __m128i Load(const uint8_t* pixels)
    {
        // Bytes 0-7 and 6-11 in the two halves, then in each half the
        // second pixel moved from byte 3 to byte 4.
        const __m128i first = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(pixels));
        const __m128i last = _mm_srli_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(pixels + 4)), 16);
        const __m128i halves = _mm_unpacklo_epi64(first, last);
        return _mm_or_si128(_mm_and_si128(halves, _mm_set1_epi64x(0x0000000000FFFFFFLL)),
                            _mm_and_si128(_mm_slli_epi64(halves, 8), _mm_set1_epi64x(0x00FFFFFF00000000LL)));
    }
    static void Store(uint8_t* pixels, __m128i value)
    {
        // Each half's second pixel moved from byte 4 to byte 3, then the
        // upper half from byte 8 to byte 6.
        const __m128i halves = _mm_or_si128(_mm_and_si128(value, _mm_set1_epi64x(0x0000000000FFFFFFLL)),
                                            _mm_and_si128(_mm_srli_epi64(value, 8), _mm_set1_epi64x(0x0000FFFFFF000000LL)));
        const __m128i twelve = _mm_or_si128(_mm_move_epi64(halves), _mm_slli_si128(_mm_srli_si128(halves, 8), 6));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(pixels), twelve);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(pixels + 4), _mm_srli_si128(twelve, 4));
    }
    static __m128i Opaque(__m128i source, __m128i) { return source; }
};

// Four pixels at a time below full opacity; returns how many were done.
// (A test for fully transparent groups here would cost a tenth of the time
// of pictures whose alpha keeps changing.)
template <typename Destination>
int BlendRowWide(const uint8_t* source, uint8_t* destination, int pixels, const BlendWeights& weights)
{
    int done = 0;
    for (; done + 4 <= pixels; done += 4, source += 16, destination += 4 * Destination::kStep) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source));
        const __m128i d = Destination::Load(destination);
        Destination::Store(destination, BlendFour<BlendTwo>(source, s, d, weights));
    }
    return done;
}

// The same at full opacity, where groups of four fully transparent source
// pixels leave the destination as it is and are skipped, and groups of four
// fully opaque ones are copied.
template <typename Destination>
int BlendRowWideOpaque(const uint8_t* source, uint8_t* destination, int pixels, const BlendWeights& weights)
{
    const __m128i transparent = _mm_setzero_si128(), opaque = _mm_set1_epi32(-1);
    int done = 0;
    for (; done + 4 <= pixels; done += 4, source += 16, destination += 4 * Destination::kStep) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source));
        if (AllAlphasAre(s, transparent))
            continue;
        const __m128i d = Destination::Load(destination);
        Destination::Store(destination, AllAlphasAre(s, opaque) ? Destination::Opaque(s, d)
                                                                : BlendFour<BlendTwoOpaque>(source, s, d, weights));
    }
    return done;
}

template <typename Destination>
int BlendRowWideAt(const uint8_t* source, uint8_t* destination, int pixels, const BlendWeights& weights)
{
    return weights.Opacity() == 255 ? BlendRowWideOpaque<Destination>(source, destination, pixels, weights)
                                    : BlendRowWide<Destination>(source, destination, pixels, weights);
}

} // namespace

void BlendRowSse2(const uint8_t* source, uint8_t* destination, int pixels, int destinationStep, const BlendWeights& weights)
{
    const uint8_t opacity = weights.Opacity();
    // At opacity 0 every weight is 0: each channel stays as it is.
    if (opacity == 0)
        return;
    const int done = destinationStep == 4 ? BlendRowWideAt<FourByteDestination>(source, destination, pixels, weights)
                                          : BlendRowWideAt<ThreeByteDestination>(source, destination, pixels, weights);
    // The last pixels of a row that is not a multiple of four, one by one.
    source += done * 4;
    destination += done * destinationStep;
    for (int rest = done; rest < pixels; ++rest, source += 4, destination += destinationStep) {
        const uint32_t weight = uint32_t(source[3]) * opacity;
        for (int c = 0; c < 3; ++c)
            destination[c] = BlendChannel(source[c], destination[c], weight);
    }
}

void BlendRow(const uint8_t* source, uint8_t* destination, int pixels, int destinationStep, const BlendWeights& weights)
{
    // Eight pixels at a time where the processor has AVX2, the rest as
    // without it.
    const int done = destinationStep == 4 && weights.Opacity() != 0 && Avx2Available()
                         ? BlendRowEights(source, destination, pixels, weights.Table(), weights.Opacity() == 255)
                         : 0;
    BlendRowSse2(source + done * 4, destination + done * destinationStep, pixels - done, destinationStep, weights);
}

} // namespace kelp
