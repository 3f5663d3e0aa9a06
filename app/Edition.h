#pragma once
// The workstation edition is marked by the picture "Ws.bmp" in the
// Resource folder beside the executable; it has its own title.

#include <string>

bool IsWorkstationEdition();
// "Ordun-WS Engine" for the workstation edition, else "Ordun-6 Engine".
const char* ApplicationTitle();
// The Resource folder beside the executable, with the trailing backslash.
std::string ResourceFolder();
