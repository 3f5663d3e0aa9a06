#include "kelp/System/MessageBox.h"

#include <windows.h>

namespace kelp {

void ShowMessage(const char* text, const char* caption)
{
    MessageBoxA(nullptr, text, caption ? caption : "", MB_OK);
}

} // namespace kelp
