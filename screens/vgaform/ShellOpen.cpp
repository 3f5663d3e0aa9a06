#include "screens/vgaform/ShellOpen.h"

#include <windows.h>
#include <shellapi.h>

void ShellOpen(const std::string& address)
{
    // A failure (no browser registered) leaves the form as it is; the user
    // still sees the address on it.
    ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
