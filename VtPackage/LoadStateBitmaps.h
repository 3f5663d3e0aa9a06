#pragma once
// Loads state bitmaps from picture files into a skinned control.

#include "VtPackage/VtCtrlAppearance.h"

#include <string>
#include <vector>

// Loads folder\names[i] (names[i] alone for an empty folder) into state
// firstIndex + i of the appearance's control; an empty name leaves that
// state unchanged. Every file is read before any state is stored, so a file
// that cannot be loaded raises the loading error with the control
// unchanged. Returns true.
bool LoadStateBitmaps(VtCtrlAppearance& appearance, const std::string& folder, const std::vector<std::string>& names,
                      int firstIndex);
