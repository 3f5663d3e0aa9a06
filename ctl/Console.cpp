#include "ctl/Console.h"

#include <windows.h>

#include <vector>

namespace ctl {
namespace {

bool IsConsole(HANDLE handle)
{
    DWORD mode = 0;
    return GetConsoleMode(handle, &mode) != FALSE;
}

void Write(DWORD which, const std::string& text)
{
    const HANDLE handle = GetStdHandle(which);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || text.empty())
        return;
    DWORD written = 0;
    if (IsConsole(handle)) {
        // Not every console moves to the line's start on a bare line feed.
        std::string lines;
        for (char c : text) {
            if (c == '\n' && (lines.empty() || lines.back() != '\r'))
                lines += '\r';
            lines += c;
        }
        const int length = MultiByteToWideChar(CP_ACP, 0, lines.data(), int(lines.size()), nullptr, 0);
        std::vector<wchar_t> wide(size_t(length > 0 ? length : 0));
        if (!wide.empty() && MultiByteToWideChar(CP_ACP, 0, lines.data(), int(lines.size()), wide.data(), length) > 0)
            WriteConsoleW(handle, wide.data(), DWORD(wide.size()), &written, nullptr);
        return;
    }
    WriteFile(handle, text.data(), DWORD(text.size()), &written, nullptr);
}

} // namespace

void Out(const std::string& text)
{
    Write(STD_OUTPUT_HANDLE, text);
}

void Err(const std::string& text)
{
    Write(STD_ERROR_HANDLE, text);
}

void Progress(const std::string& text)
{
    Out(IsConsoleOutput() ? "\r" + text : text + "\n");
}

bool IsConsoleOutput()
{
    return IsConsole(GetStdHandle(STD_OUTPUT_HANDLE));
}

} // namespace ctl
