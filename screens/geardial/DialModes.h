#pragma once
// Where each mode sits on the gear dial: its dial index (the order of the
// mode buttons, Auto first), the stem of its chart pictures and the left
// edge of the gear marker above its button.

#include <string>

namespace geardial {

constexpr int kModeCount = 5;
// Any level the dial does not know shows as High Performance.
constexpr int kFallbackIndex = 2;

constexpr int kGearMarkerTop = 331;
constexpr int kChartLeft = 439;
constexpr int kChartTop = 345;

int DialIndexOf(int level);
// "auto", "turbo", "normal", "medium", "low".
const char* ImageStem(int index);
int GearMarkerLeft(int index);

} // namespace geardial
