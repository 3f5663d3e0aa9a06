#include "screens/automation/ProgramDialog.h"

#include "framework/system/LateFunction.h"

#include <commdlg.h>

namespace automationpage {

std::optional<std::string> AskProgramPath(HWND owner, const std::string& filter)
{
    // The filter is pairs of NUL-ended texts, ended by one more NUL.
    std::string filters = filter + '\0' + "*.exe" + '\0' + '\0';
    char path[MAX_PATH] = "";
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filters.c_str();
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrDefExt = "exe";
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    // Looked up when first used: a start in the tray does not load the
    // dialog's library.
    static auto* askPath = LateFunction<decltype(GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
    if (!askPath || !askPath(&dialog))
        return std::nullopt;
    return std::string(path);
}

} // namespace automationpage
