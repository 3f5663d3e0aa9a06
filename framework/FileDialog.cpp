#include "framework/FileDialog.h"

#include "framework/system/LateFunction.h"

#include <commdlg.h>

namespace {

std::optional<std::string> Ask(HWND owner, const FileDialogRequest& request, const char* function, DWORD flags)
{
    // The filter is pairs of NUL-ended texts, ended by one more NUL.
    const std::string filters = request.typeName + '\0' + "*." + request.extension + '\0' + '\0';
    char path[MAX_PATH] = "";
    request.initialName.copy(path, sizeof path - 1);
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filters.c_str();
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrDefExt = request.extension.c_str();
    dialog.Flags = flags | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    // Both functions have the same type.
    using AskFunction = decltype(GetOpenFileNameA);
    auto* ask = LateFunction<AskFunction>("comdlg32.dll", function);
    if (!ask || !ask(&dialog))
        return std::nullopt;
    return std::string(path);
}

} // namespace

std::optional<std::string> AskOpenPath(HWND owner, const FileDialogRequest& request)
{
    return Ask(owner, request, "GetOpenFileNameA", OFN_FILEMUSTEXIST);
}

std::optional<std::string> AskSavePath(HWND owner, const FileDialogRequest& request)
{
    return Ask(owner, request, "GetSaveFileNameA", OFN_OVERWRITEPROMPT);
}
