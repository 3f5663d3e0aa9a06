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
//   screensdrive settings    clicks the settings button, waits for the
//                            advanced-settings form and prints its rectangle
//   screensdrive tab <i>     clicks tab i of the form (0 Turbo .. 3 Max saving)
//   screensdrive drop <r>    clicks the arrow of option row r (0 vCore .. 5 nap)
//   screensdrive cancel      clicks the form's Cancel button
//   screensdrive notice      answers a notice that is up with its right button
//   screensdrive settings-rect prints the advanced-settings form's rectangle
//   screensdrive key <vk> [n] presses the key (a virtual-key code) n times
//                            (once by default), as keyboard input
//   screensdrive point <x> <y> puts the pointer at (x, y) of the main window's
//                            client area, without a click (a tool-tip)
//   screensdrive traymenu    opens the tray icon's menu at the pointer, as a
//                            right click on the icon does, and returns
//   screensdrive escape      presses Esc (closes an open menu)
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

void PrintRect(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    std::printf("%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left, rect.top);
}

// ---- The advanced-settings form ------------------------------------------

HWND SettingsForm()
{
    HWND form = FindWindowA("TAdvancedSetting", nullptr);
    return form && IsWindowVisible(form) ? form : nullptr;
}

// Clicks the form's place (client coordinates) with the real pointer.
bool ClickClient(HWND window, int x, int y)
{
    if (!window)
        return false;
    POINT at{x, y};
    ClientToScreen(window, &at);
    SetCursorPos(at.x, at.y);
    Sleep(100);
    LeftClick();
    return true;
}

// The extended layout is taller and moves the lower rows and buttons down.
int LowerShift(HWND form)
{
    RECT client;
    GetClientRect(form, &client);
    return client.bottom >= 424 ? 49 : 0;
}

bool SettingsCommand(const std::string& command, int index)
{
    struct Place {
        int x, y;
    };
    // Tab buttons; option row titles (the arrow sits at 136, 23 from them).
    constexpr Place kTabs[] = {{72, 59}, {172, 59}, {271, 59}, {371, 59}};
    constexpr Place kRows[] = {{56, 134}, {243, 134}, {56, 183}, {243, 183}, {56, 232}, {243, 232}};
    if (command == "settings") {
        HWND window = MainWindow();
        // The settings button's middle.
        if (!ClickClient(window, 42 + 65, 504 + 15))
            return false;
        for (int i = 0; i < 100 && !SettingsForm(); ++i)
            Sleep(100);
        if (!SettingsForm())
            return false;
        PrintRect(SettingsForm());
        return true;
    }
    HWND form = SettingsForm();
    if (command == "tab" && index >= 0 && index < 4)
        return ClickClient(form, kTabs[index].x, kTabs[index].y);
    if (command == "drop" && index >= 0 && index < 6)
        return ClickClient(form, kRows[index].x + 143, kRows[index].y + (form ? LowerShift(form) : 0) + 30);
    if (command == "cancel")
        return ClickClient(form, 309 + 57, 338 + (form ? LowerShift(form) : 0) + 17);
    if (command == "notice") {
        HWND notice = FindWindowA("TUniversalDialog", nullptr);
        // No notice up is as good as one answered.
        if (!notice || !IsWindowVisible(notice))
            return true;
        return ClickClient(notice, 277 + 65, 104 + 17);
    }
    return false;
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
        PrintRect(window);
        return 0;
    }
    if (command == "away") {
        SetCursorPos(2, 2);
        return 0;
    }
    if (command == "point" && argc >= 4) {
        HWND window = MainWindow();
        if (!window)
            return 1;
        POINT point{std::atoi(argv[2]), std::atoi(argv[3])};
        ClientToScreen(window, &point);
        SetCursorPos(point.x, point.y);
        return 0;
    }
    if (command == "traymenu") {
        // The window may be hidden: it is found by class and caption alone.
        HWND window = FindWindowA("TMainForm", "Pellix");
        if (!window)
            return 1;
        constexpr UINT kTrayNotify = WM_USER + 200;
        PostMessageA(window, kTrayNotify, 1, WM_RBUTTONUP);
        return 0;
    }
    if (command == "escape") {
        INPUT keys[2] = {};
        keys[0].type = keys[1].type = INPUT_KEYBOARD;
        keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
        keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, keys, sizeof(INPUT));
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
    if (command == "key" && argc >= 3) {
        const int times = argc >= 4 ? std::atoi(argv[3]) : 1;
        for (int i = 0; i < times; ++i) {
            INPUT strokes[2] = {};
            strokes[0].type = strokes[1].type = INPUT_KEYBOARD;
            strokes[0].ki.wVk = strokes[1].ki.wVk = static_cast<WORD>(std::atoi(argv[2]));
            strokes[1].ki.dwFlags = KEYEVENTF_KEYUP;
            SendInput(2, strokes, sizeof(INPUT));
            Sleep(150);
        }
        return 0;
    }
    if (command == "settings-rect") {
        if (!SettingsForm())
            return 1;
        PrintRect(SettingsForm());
        return 0;
    }
    if (command == "settings" || command == "cancel" || command == "notice")
        return SettingsCommand(command, 0) ? 0 : 1;
    if (argc < 3)
        return 1;
    const int index = std::atoi(argv[2]);
    if (command == "tab" || command == "drop")
        return SettingsCommand(command, index) ? 0 : 1;
    if (!PointAtButton(index))
        return 1;
    if (command == "click") {
        Sleep(100);
        LeftClick();
    }
    return 0;
}
