// The automation page in the running program: opened from the main
// window's button and from the tray menu, a change stored with OK reaches
// the registry, and Cancel writes nothing.

#include "tests/mainwin/ProgramRig.h"

#include <gtest/gtest.h>

#include <string>

using namespace programtest;

namespace {

constexpr const char* kAutomationKey = "Software\\VANTOR\\Tamsel3\\Automation";
constexpr UINT kTrayMessage = 1224;
constexpr DWORD kShowMs = 10000;

// Places on the layouts (client coordinates of their windows).
constexpr RECT kAutomationButton{581, 199, 581 + 24, 199 + 20};
constexpr RECT kProgramsTab{180, 40, 180 + 150, 40 + 26};
constexpr RECT kProgramBox{30, 284, 30 + 268, 284 + 24};
constexpr RECT kProgramAdd{30, 318, 30 + 100, 318 + 24};
constexpr RECT kProgramRemove{136, 318, 136 + 100, 318 + 24};
constexpr RECT kOkButton{385, 396, 385 + 115, 396 + 35};
constexpr RECT kCancelButton{506, 396, 506 + 115, 396 + 35};

struct Search {
    HWND parent;
    const char* className;
    RECT place;
    HWND found;
};

BOOL CALLBACK FindAtPlace(HWND child, LPARAM context)
{
    auto* search = reinterpret_cast<Search*>(context);
    char name[64] = {};
    GetClassNameA(child, name, sizeof name);
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, search->parent, reinterpret_cast<POINT*>(&rect), 2);
    if (std::string(name) == search->className && EqualRect(&rect, &search->place))
        search->found = child;
    return TRUE;
}

HWND ChildAt(HWND window, const char* className, const RECT& place)
{
    Search search{window, className, place, nullptr};
    EnumChildWindows(window, FindAtPlace, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A click as the user makes it: the pointer moved to the middle of the
// control, the left button pressed and released there.
void Click(HWND control)
{
    ASSERT_NE(control, nullptr);
    RECT rect{};
    GetWindowRect(control, &rect);
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    INPUT input[2] = {};
    for (INPUT& stroke : input)
        stroke.type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
    // The program handles the input before the next step looks.
    Sleep(300);
}

HWND ShownPage()
{
    HWND page = nullptr;
    Eventually([&] {
        page = FindWindowA("TAutomationForm", nullptr);
        return page && IsWindowVisible(page);
    }, kShowMs);
    return page && IsWindowVisible(page) ? page : nullptr;
}

std::string StoredRules()
{
    char text[4096] = "";
    DWORD size = sizeof text;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kAutomationKey, "Rules", RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return {};
    return text;
}

void PressKey(WORD key)
{
    INPUT input[2] = {};
    for (INPUT& stroke : input) {
        stroke.type = INPUT_KEYBOARD;
        stroke.ki.wVk = key;
    }
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

} // namespace

TEST(AutomationPageProgram, TheMainWindowsButtonOpensItAndOkStoresTheChange)
{
    ResetProgramRegistry();
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kAutomationKey);
    Program program("");
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(Eventually([&] { return IsWindowVisible(program.Window()) != 0; }, kShowMs));

    Click(ChildAt(program.Window(), "VtButton", kAutomationButton));
    const HWND page = ShownPage();
    ASSERT_NE(page, nullptr) << "the page did not open";
    Click(ChildAt(page, "TPageTab", kProgramsTab));
    Click(ChildAt(page, "VtButtonTx", kProgramAdd));
    const HWND box = ChildAt(page, "TTextBox", kProgramBox);
    ASSERT_NE(box, nullptr);
    SendMessageA(GetWindow(box, GW_CHILD), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("render.exe"));
    EXPECT_EQ(StoredRules(), "") << "nothing is written before OK";
    Click(ChildAt(page, "VtButtonTx", kOkButton));
    EXPECT_TRUE(Eventually([&] { return !IsWindowVisible(page); }, kShowMs));
    EXPECT_NE(StoredRules().find("render.exe"), std::string::npos) << StoredRules();
}

TEST(AutomationPageProgram, TheTrayMenuOpensItAndCancelWritesNothing)
{
    ResetProgramRegistry();
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kAutomationKey);
    Program program("");
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(Eventually([&] { return IsWindowVisible(program.Window()) != 0; }, kShowMs));

    // Stored once through the page, so that Cancel has something to keep.
    Click(ChildAt(program.Window(), "VtButton", kAutomationButton));
    HWND page = ShownPage();
    ASSERT_NE(page, nullptr);
    Click(ChildAt(page, "TPageTab", kProgramsTab));
    Click(ChildAt(page, "VtButtonTx", kProgramAdd));
    SendMessageA(GetWindow(ChildAt(page, "TTextBox", kProgramBox), GW_CHILD), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>("studio.exe"));
    Click(ChildAt(page, "VtButtonTx", kOkButton));
    ASSERT_TRUE(Eventually([&] { return StoredRules().find("studio.exe") != std::string::npos; }, kShowMs));
    const std::string stored = StoredRules();

    // A right click on the icon opens the menu; the page is its last item.
    PostMessageA(program.Window(), kTrayMessage, 1, WM_RBUTTONUP);
    ASSERT_TRUE(Eventually([] { return FindWindowA("#32768", nullptr) != nullptr; }, kShowMs)) << "no menu";
    PressKey(VK_UP);
    PressKey(VK_RETURN);
    page = ShownPage();
    ASSERT_NE(page, nullptr) << "the menu item did not open the page";
    Click(ChildAt(page, "TPageTab", kProgramsTab));
    Click(ChildAt(page, "VtButtonTx", kProgramRemove));
    Click(ChildAt(page, "VtButtonTx", kCancelButton));
    EXPECT_TRUE(Eventually([&] { return !IsWindowVisible(page); }, kShowMs));
    EXPECT_EQ(StoredRules(), stored) << "Cancel wrote nothing";
}
