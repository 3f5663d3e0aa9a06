#pragma once
// The system's save dialog for the history export: CSV files, the
// overwrite question, and the folder of the last export kept by the dialog.

#include <windows.h>

#include <optional>
#include <string>

namespace historyview {

// `filter` names the CSV file type in the user's language.
std::optional<std::string> AskCsvPath(HWND owner, const std::string& filter);

} // namespace historyview
