#include "screens/history/SaveDialog.h"

#include "framework/system/LateFunction.h"

#include <commdlg.h>

namespace historyview {

std::optional<std::string> AskCsvPath(HWND owner, const std::string& filter)
{
    // The filter is pairs of NUL-ended texts, ended by one more NUL.
    std::string filters = filter + '\0' + "*.csv" + '\0' + '\0';
    char path[MAX_PATH] = "pellix-history.csv";
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filters.c_str();
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrDefExt = "csv";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    static auto* askPath = LateFunction<decltype(GetSaveFileNameA)>("comdlg32.dll", "GetSaveFileNameA");
    if (!askPath || !askPath(&dialog))
        return std::nullopt;
    return std::string(path);
}

} // namespace historyview
