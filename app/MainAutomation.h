#pragma once
// The automation wired to the main window: its hotkeys arrive there, its
// tick is the window's 5-second energy tick, and the modes it wants take
// the paths of the dial and of the control command.

#include <windows.h>

class TMainForm;

namespace automation {
class AutomationEngine;
}

// Once, at start-up, after the window's handle exists: loads the settings,
// registers the hotkeys and plugs the engine in as the program's service.
automation::AutomationEngine& StartMainAutomation(TMainForm& window);
// The started engine; nullptr before.
automation::AutomationEngine* MainAutomation();
