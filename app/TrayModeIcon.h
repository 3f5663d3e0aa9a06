#pragma once
// The tray picture of a power mode: which of the four icons shows the
// current state, and loading it from the Resource folder beside the
// executable. A file that is missing or unreadable is replaced by the same
// picture built into the executable, so the icon never goes blank.

#include "framework/graphics/GdiHandle.h"

#include <windows.h>

#include <string>

using TIconHandle = TOwnedHandle<HICON, DestroyIcon>;

// Icon indices: 0 Turbo, 1 High Performance, 2 Medium Power Saving,
// 3 Max Power Saving.
inline constexpr int kTrayIconCount = 4;

// The icon for a mode. Overclocking always shows Turbo's icon; Auto shows
// the saving mode it runs at (autoGear), except while the start-up restore
// is still pending; unknown levels show High Performance's.
int TrayIconIndex(bool overclocked, int level, bool restorePending, int autoGear);

// "<executable folder>Resource\"
std::string TrayIconFolder();
// Name of the icon of an index ("%d.ico").
std::string TrayIconFileName(int index);
// Loads folder + "%d.ico" at the notification area's icon size; empty when
// the file cannot be read as an icon.
TIconHandle LoadTrayIconFile(const std::string& folder, int index);
// The icon of an index built into the executable ("TRAYICON%d"), or the
// system's application icon when the module has none.
TIconHandle LoadBuiltInTrayIcon(int index);
// The file's icon, else the built-in one.
TIconHandle LoadTrayIcon(const std::string& folder, int index);
