#pragma once
// Source name quoted by the power-gear adapter's failed-precondition
// reports, as support staff know it.

namespace kelp {
inline constexpr char kPowerGearSource[] = "kelp\\vantor\\Source\\PowerGear";
} // namespace kelp
