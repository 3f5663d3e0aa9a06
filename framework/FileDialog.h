#pragma once
// The system's open and save dialogs for one file type. They are looked up
// in comdlg32 when first used, so that a program that never shows one (a
// start in the tray) does not load the library.

#include <windows.h>

#include <optional>
#include <string>

struct FileDialogRequest {
    std::string typeName;    // the file type in the user's language
    std::string extension;   // without the dot: "csv"
    std::string initialName; // proposed in the name box; may be empty
};

// The file must exist. The full path, or nothing when cancelled.
std::optional<std::string> AskOpenPath(HWND owner, const FileDialogRequest& request);
// Asks before overwriting; the dialog keeps the folder of its last use.
std::optional<std::string> AskSavePath(HWND owner, const FileDialogRequest& request);
