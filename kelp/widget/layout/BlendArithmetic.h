#pragma once
// The exact blend of two pixels widened to unsigned 16-bit lanes, written
// once for every vector width. `Lanes` names the vector type (`Vector`) and
// its lane operations: Add, Subtract, MultiplyLow, MultiplyHigh (unsigned),
// ShiftLeft8 and Splat. Each row loop is built with its own instruction set,
// so these are inlined into it.
//
// With δ = s − d and m = alpha × opacity = 255 × high + low (see
// BlendWeights), the blend is floor(X / 65025) for X = 65025 × d + δ × m,
// which is floor(floor(X / 255) / 255), and
//   floor(X / 255) = 254 × d + δ × high + floor((255 × d + δ × low) / 255).
// Both numerators lie in 0..65025, so lanes that wrap in the products and
// sums still end at the exact value. In the alpha lanes high = low = 0,
// which gives back d.

namespace kelp::blend {

// floor(x / 255) in each lane, given x + 1: the high half of (x + 1) × 257,
// exact for every x from 0 to 65534 (checked for each).
template <typename Lanes>
[[gnu::always_inline]] inline typename Lanes::Vector DivideBy255(typename Lanes::Vector xPlusOne)
{
    return Lanes::MultiplyHigh(xPlusOne, Lanes::Splat(257));
}

// 255 × d + 1 in each lane, the form DivideBy255 takes.
template <typename Lanes>
[[gnu::always_inline]] inline typename Lanes::Vector Times255PlusOne(typename Lanes::Vector d)
{
    return Lanes::Add(Lanes::Subtract(Lanes::ShiftLeft8(d), d), Lanes::Splat(1));
}

// The blend at any opacity.
template <typename Lanes>
[[gnu::always_inline]] inline typename Lanes::Vector Blend(typename Lanes::Vector s, typename Lanes::Vector d,
                                                           typename Lanes::Vector high, typename Lanes::Vector low)
{
    const auto delta = Lanes::Subtract(s, d);
    const auto d255 = Times255PlusOne<Lanes>(d);
    const auto lowPart = DivideBy255<Lanes>(Lanes::Add(d255, Lanes::MultiplyLow(delta, low)));
    return DivideBy255<Lanes>(
        Lanes::Add(Lanes::Add(Lanes::Subtract(d255, d), Lanes::MultiplyLow(delta, high)), lowPart));
}

// The same at full opacity, where high is the alpha and low is 0:
// floor((255 × d + δ × alpha) / 255).
template <typename Lanes>
[[gnu::always_inline]] inline typename Lanes::Vector BlendOpaque(typename Lanes::Vector s, typename Lanes::Vector d,
                                                                 typename Lanes::Vector high)
{
    return DivideBy255<Lanes>(Lanes::Add(Times255PlusOne<Lanes>(d), Lanes::MultiplyLow(Lanes::Subtract(s, d), high)));
}

} // namespace kelp::blend
