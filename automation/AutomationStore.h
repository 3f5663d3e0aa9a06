#pragma once
// The automation settings in the registry, under HKLM RegKey::Automation.
// Loading never fails: a missing key or value means "off", and what the
// stored form cannot vouch for is off or marked invalid (AutomationCodec).
// Nothing is written but by Save(), which the settings page calls on OK and
// the control command after it has validated the change.

#include "automation/AutomationSettings.h"

namespace automation {

class AutomationStore {
public:
    static AutomationSettings Load();
    // Writes the three values; false when the key cannot be opened or a
    // value cannot be written (the stored form may then be partly old).
    static bool Save(const AutomationSettings& settings);
};

} // namespace automation
