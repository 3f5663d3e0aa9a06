#include "engine/CalibrationProfileCheck.h"

#include <atomic>

namespace {
std::atomic<CalibrationProfileCheck> plugged{nullptr};
}

void PlugCalibrationProfileCheck(CalibrationProfileCheck check)
{
    plugged.store(check);
}

bool CalibrationProfileMismatches()
{
    const CalibrationProfileCheck check = plugged.load();
    return check && check();
}
