// Drives the running program's main window for the screenshot script, the
// way a user would: real pointer moves and clicks.
//
//   screensdrive wait        waits (30 s at most) until the main window shows
//                            and prints its rectangle as WxH+X+Y
//   screensdrive hover <i>   puts the pointer on mode button i (0 Auto .. 4 Low)
//   screensdrive click <i>   the same, then a left click
//   screensdrive away        moves the pointer off the window
//   screensdrive tap <x> <y> clicks the main window at (x, y) of its client
//                            area (the energy display's buttons)
//
// Exit code 0 on success, 1 when the window or the button is not there.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

HWND MainWindow()
{
    HWND window = FindWindowA("TMainForm", "Pellix");
    return window && IsWindowVisible(window) ? window : nullptr;
}

BOOL CALLBACK CollectModeButton(HWND child, LPARAM data)
{
    char name[64] = {};
    GetClassNameA(child, name, sizeof name);
    if (std::strcmp(name, "VtRadioButton") == 0)
        reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
    return TRUE;
}

// The mode buttons from left to right: Auto, Turbo, High, Medium, Low.
std::vector<HWND> ModeButtons(HWND window)
{
    std::vector<HWND> buttons;
    EnumChildWindows(window, &CollectModeButton, reinterpret_cast<LPARAM>(&buttons));
    std::sort(buttons.begin(), buttons.end(), [](HWND a, HWND b) {
        RECT ra, rb;
        GetWindowRect(a, &ra);
        GetWindowRect(b, &rb);
        return ra.left < rb.left;
    });
    return buttons;
}

bool PointAtButton(int index)
{
    HWND window = MainWindow();
    if (!window)
        return false;
    const std::vector<HWND> buttons = ModeButtons(window);
    if (index < 0 || index >= static_cast<int>(buttons.size()))
        return false;
    RECT rect;
    GetWindowRect(buttons[index], &rect);
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    return true;
}

void LeftClick()
{
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &inputs[0], sizeof(INPUT));
    Sleep(50);
    SendInput(1, &inputs[1], sizeof(INPUT));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 1;
    const std::string command = argv[1];
    if (command == "wait") {
        for (int i = 0; i < 300 && !MainWindow(); ++i)
            Sleep(100);
        HWND window = MainWindow();
        if (!window)
            return 1;
        RECT rect;
        GetWindowRect(window, &rect);
        std::printf("%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left, rect.top);
        return 0;
    }
    if (command == "away") {
        SetCursorPos(2, 2);
        return 0;
    }
    if (command == "tap" && argc >= 4) {
        HWND window = MainWindow();
        if (!window)
            return 1;
        POINT point{std::atoi(argv[2]), std::atoi(argv[3])};
        ClientToScreen(window, &point);
        SetCursorPos(point.x, point.y);
        Sleep(100);
        LeftClick();
        return 0;
    }
    if (argc < 3)
        return 1;
    const int index = std::atoi(argv[2]);
    if (!PointAtButton(index))
        return 1;
    if (command == "click") {
        Sleep(100);
        LeftClick();
    }
    return 0;
}
