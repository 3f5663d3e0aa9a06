#pragma once
// What the machine tells the form each time it opens: the platform, the
// nap feature, the system's disk list, the voltage items' step counts, the
// CPU slider of each tab and, in the extended layout, the graphics boost.

#include "screens/advancedsetting/FrequencyScale.h"
#include "screens/advancedsetting/SettingsRows.h"

#include <array>

namespace advancedsetting {

struct GraphicsFacts {
    bool present = false; // the form has the graphics row
    int base = 0;         // Turbo's setting is stored relative to it
    int current = 0;      // the setting in force now
    int settings = 0;     // number of settings the slider offers
};

struct SettingsFacts {
    int phaseGroup = 5;
    bool acpiV2 = false;
    bool napAvailable = false;
    bool diskOneMinute = true;
    int vCoreSteps = 0; // 0 when the library does not say
    int loadLineSteps = 0;
    std::array<FrequencyScale, kTabCount> cpu{};
    GraphicsFacts graphics;
};

} // namespace advancedsetting
