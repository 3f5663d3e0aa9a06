#pragma once
// What the metrics file tells: the status pellixctl is given (mode, Auto's
// gear, power, energy, CO2 by the same factor, calibration), the seconds
// spent in each mode and the mode changes by cause since the program
// started, and the program's version. Rendered in the Prometheus text
// format with base units: joules, watts, seconds, grams.

#include "engine/ModeChangeCause.h"
#include "engine/SavingsHistory.h"
#include "ipc/ControlProtocol.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace metrics {

struct Snapshot {
    kelp::control::Status status;
    std::array<double, history::kModes> modeSeconds{}; // by mode index
    std::array<uint64_t, kModeChangeCauseCount> modeChanges{};
    std::string_view version;
};

std::string RenderMetrics(const Snapshot& snapshot);

} // namespace metrics
