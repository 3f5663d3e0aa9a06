#pragma once
// A CPU fan curve: T1, D1, T2, D2, T3, D3 - three temperature points in
// degrees Celsius and the duty (0..255) reached at each.

#include <array>
#include <cstdint>

namespace kelp {

using FanCurve = std::array<uint8_t, 6>;

// The chassis fan's cruise setting: target temperature and tolerance.
struct CruisePair {
    uint8_t target = 0;
    uint8_t tolerance = 0;
    bool operator==(const CruisePair&) const = default;
};

// Temperature points above this are cut to it before programming.
constexpr uint8_t kMaxCurveTemperature = 100;

} // namespace kelp
