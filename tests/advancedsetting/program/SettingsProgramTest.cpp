// The advanced settings in the running program on the virtual board: the
// form opened from the dial's settings button, its rows driven with the
// mouse from outside, and what reaches the registry and the board.

#include "kelp/System/WinRegistry.h"
#include "screens/advancedsetting/DropDownPanel.h"
#include "tests/board/support/BoardTestSupport.h"
#include "tests/mainwin/ProgramRig.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

using namespace programtest;

namespace {

constexpr uint32_t kCpuFanControl = 0x04070010;
constexpr uint32_t kChassisFanControl = 0x04070070;
// Client places on the main window and the form.
constexpr POINT kMoreSettingButton = {42, 504};
constexpr POINT kMediumButton = {205, 371};
constexpr POINT kMediumTab = {221, 40};
constexpr POINT kTurboTab = {22, 40};
constexpr POINT kOkButton = {185, 338};
constexpr POINT kCancelButton = {309, 338};
// Row titles; the arrow sits at (136, 23) from the title, the open list's
// panel at (-9, 31).
constexpr POINT kFanRow = {243, 183};
constexpr POINT kDiskRow = {56, 232};
constexpr POINT kCpuRow = {56, 82};
constexpr int kExtendedHeight = 424;
constexpr int kExtendedShift = 49;
constexpr DWORD kFormMs = 10000;

struct Search {
    HWND parent;
    POINT at;
    HWND found = nullptr;
};

POINT ClientOrigin(HWND parent, HWND child)
{
    RECT rect{};
    GetWindowRect(child, &rect);
    POINT origin{rect.left, rect.top};
    ScreenToClient(parent, &origin);
    return origin;
}

// Shown on its own (the main window itself may be hidden in the tray).
bool Shown(HWND window)
{
    return (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

BOOL CALLBACK MatchPlace(HWND child, LPARAM data)
{
    auto* search = reinterpret_cast<Search*>(data);
    const POINT origin = ClientOrigin(search->parent, child);
    if (Shown(child) && origin.x == search->at.x && origin.y == search->at.y)
        search->found = child;
    return TRUE;
}

// The visible child window whose top left is at this client place.
HWND ChildAt(HWND parent, POINT at)
{
    Search search{parent, at};
    EnumChildWindows(parent, MatchPlace, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK Describe(HWND child, LPARAM data)
{
    auto* text = reinterpret_cast<std::pair<HWND, std::string>*>(data);
    char name[64] = {};
    GetClassNameA(child, name, sizeof name);
    const POINT origin = ClientOrigin(text->first, child);
    RECT rect{};
    GetWindowRect(child, &rect);
    text->second += std::string(name) + (Shown(child) ? "" : "(hidden)") + "@" + std::to_string(origin.x) +
                    "," + std::to_string(origin.y) + " " + std::to_string(rect.right - rect.left) + "x" +
                    std::to_string(rect.bottom - rect.top) + "; ";
    return TRUE;
}

// What is on the window, for failure messages.
std::string Children(HWND parent)
{
    std::pair<HWND, std::string> text{parent, {}};
    EnumChildWindows(parent, Describe, reinterpret_cast<LPARAM>(&text));
    return text.second;
}

void ClickAt(HWND window, int x, int y)
{
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void ClickChild(HWND parent, POINT at)
{
    HWND child = ChildAt(parent, at);
    ASSERT_NE(child, nullptr) << "nothing at " << at.x << ", " << at.y << " among " << Children(parent);
    ClickAt(child, 10, 10);
}

// The settings form as the user sees it once the button was pressed.
class SettingsForm {
public:
    explicit SettingsForm(Program& program)
    {
        // The main window may still be putting its controls up.
        Eventually([&] { return ChildAt(program.Window(), kMoreSettingButton) != nullptr; }, kFormMs);
        ClickChild(program.Window(), kMoreSettingButton);
        Eventually(
            [&] {
                for (const ProcessWindow& w : program.Process().Windows())
                    if (w.windowClass == "TAdvancedSetting" && w.visible)
                        window_ = w.handle;
                return window_ != nullptr;
            },
            kFormMs);
        std::string windows;
        for (const ProcessWindow& w : program.Process().Windows())
            windows += w.windowClass + (w.visible ? "" : "(hidden)") + " '" + w.caption + "'; ";
        EXPECT_NE(window_, nullptr) << "the settings form did not open; running " << program.Process().Running()
                                    << ", windows " << windows;
        RECT client{};
        GetClientRect(window_, &client);
        y0_ = client.bottom == kExtendedHeight ? kExtendedShift : 0;
    }

    HWND Window() const { return window_; }
    void Click(POINT at) { ClickChild(window_, at); }
    // Buttons and option rows below the graphics row move down with it.
    POINT Lower(POINT at) const { return {at.x, at.y + y0_}; }

    // Opens the row's list, scrolls it to its top and picks the entry.
    void Choose(POINT row, int entry)
    {
        const POINT title = Lower(row);
        Click({title.x + 136, title.y + 23});
        const POINT panelAt{title.x - 9, title.y + 31};
        HWND panel = nullptr;
        Eventually([&] { return (panel = ChildAt(window_, panelAt)) != nullptr; }, kFormMs);
        ASSERT_NE(panel, nullptr) << "the list did not open: " << Children(window_);
        PostMessageA(panel, WM_MOUSEWHEEL, MAKEWPARAM(0, 20 * WHEEL_DELTA), 0);
        const int y = DropDownPanel::kListTop + entry * DropDownPanel::kEntryHeight + DropDownPanel::kEntryHeight / 2;
        ClickAt(panel, DropDownPanel::kListLeft + 20, y);
        EXPECT_TRUE(Eventually([&] { return !Shown(panel); }, kFormMs)) << "the list stayed open";
    }

    // Clicks the far end of the CPU slider's track: one step toward it.
    void StepCpuSliderRight()
    {
        const int trackRight = kCpuRow.x + 1 + 320;
        const int trackMiddle = kCpuRow.y + 22 + 9;
        ClickAt(window_, trackRight, trackMiddle);
    }

    bool CloseWith(POINT button)
    {
        Click(Lower(button));
        return Eventually([&] { return !IsWindowVisible(window_); }, kFormMs);
    }

private:
    HWND window_ = nullptr;
    int y0_ = 0;
};

// Every value of a key: name, type and bytes.
using KeyDump = std::vector<std::tuple<std::string, DWORD, std::vector<BYTE>>>;

KeyDump DumpKey(HKEY root, const char* subKey)
{
    KeyDump dump;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return dump;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameSize = sizeof name, type = 0;
        BYTE data[1024];
        DWORD dataSize = sizeof data;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS)
            break;
        dump.emplace_back(name, type, std::vector<BYTE>(data, data + dataSize));
    }
    RegCloseKey(key);
    return dump;
}

// Quiet fans in the saving modes come from the program, not the board.
void ProgramDrivesTheFans()
{
    SetBoardItem(kCpuFanControl, 0);
    SetBoardItem(kChassisFanControl, 0);
}

void WriteSettings(const Tuning& medium)
{
    Tuning modes[5];
    modes[0].fsb = 1;
    modes[2] = medium;
    modes[3].fsb = 15;
    modes[3].spinDown = 1200;
    modes[3].fan = 1;
    WriteTunings(modes);
}

// Later test programs in the same registry start from a new installation
// without the graphics driver that the program's start-up here has.
class NewInstallationAfterwards : public testing::Environment {
public:
    void TearDown() override
    {
        DeleteValue(kRootKey, "NotFirstTime");
        DeleteValue("Software\\VANTOR\\Gruvo Driver", "Version");
    }
};

[[maybe_unused]] testing::Environment* const afterwards = testing::AddGlobalTestEnvironment(new NewInstallationAfterwards);

bool Settled()
{
    return WaitForLevel(0) && Eventually([] { return ReadDword(kAdvanceKey, "Gear_Flag") == DWORD(0); }, kModeChangeMs);
}

} // namespace

TEST(SettingsProgram, CancelLeavesTheRegistryAsItWas)
{
    ResetProgramRegistry();
    // Values no row can show: they are shown as the nearest entry only.
    Tuning medium;
    medium.fsb = 900;
    medium.vCore = 7;
    medium.spinDown = DWORD(-5);
    medium.idleTimeout = 123456;
    medium.fan = 4;
    WriteSettings(medium);
    Program program("");
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(Settled());
    const KeyDump machineBefore = DumpKey(HKEY_LOCAL_MACHINE, kAdvanceKey);
    const KeyDump userBefore = DumpKey(HKEY_CURRENT_USER, kAdvanceKey);
    ASSERT_FALSE(machineBefore.empty());

    SettingsForm form(program);
    form.Click(kMediumTab);
    form.Choose(kDiskRow, 1);
    form.Choose(kFanRow, 0);
    ASSERT_TRUE(form.CloseWith(kCancelButton));
    Sleep(1000);
    EXPECT_EQ(DumpKey(HKEY_LOCAL_MACHINE, kAdvanceKey), machineBefore);
    EXPECT_EQ(DumpKey(HKEY_CURRENT_USER, kAdvanceKey), userBefore);
}

TEST(SettingsProgram, MediumDiskTimeAndFanReachTheBoardWhenMediumIsChosen)
{
    ResetProgramRegistry();
    ProgramDrivesTheFans();
    Tuning medium;
    medium.fsb = 5;
    medium.spinDown = 1200;
    WriteSettings(medium);
    Program program("");
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(Settled());
    const std::string normalFans = boardtest::Run("boardctl.exe", "sio").out;

    SettingsForm form(program);
    form.Click(kMediumTab);
    form.Choose(kDiskRow, 2);  // 5 or 10 minutes, by the system's list
    form.Choose(kFanRow, 1);   // "Slow"
    ASSERT_TRUE(form.CloseWith(kOkButton));
    // No calibration question: neither change needs one.
    EXPECT_EQ(FindDialog(program.Process(), 2000), nullptr);
    EXPECT_TRUE(Eventually([] { return ReadTuning(2).fan == 1; }, kModeChangeMs));
    const DWORD spinDown = ReadTuning(2).spinDown;
    EXPECT_TRUE(spinDown == 300 || spinDown == 600) << spinDown;
    EXPECT_EQ(ReadTuning(2).fsb, 5u);

    // Medium on the dial.
    ClickChild(program.Window(), kMediumButton);
    ASSERT_TRUE(WaitForLevel(1));
    EXPECT_TRUE(Eventually([&] { return BoardKnob("spindown_timeout") == std::to_string(spinDown); }, kModeChangeMs))
        << "spin-down " << BoardKnob("spindown_timeout").value_or("none");
    EXPECT_NE(boardtest::Run("boardctl.exe", "sio").out, normalFans) << "the slow fan curve";
}

TEST(SettingsProgram, ConfirmedFrequencyChangeAsksForCalibrationAndReappliesTheMode)
{
    ResetProgramRegistry();
    WriteSettings(Tuning{5, 0, 0, 0, 0, 0, 1200, 1});
    Program program("");
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(Settled());
    ClearBoardKnob("spindown_timeout");

    SettingsForm form(program);
    form.Click(kTurboTab);
    form.StepCpuSliderRight();
    ASSERT_TRUE(form.CloseWith(kOkButton));
    HWND question = FindDialog(program.Process(), kFormMs);
    ASSERT_NE(question, nullptr) << "no calibration question";
    Answer(question, 1);

    EXPECT_TRUE(Eventually([] { return ReadTuning(0).fsb == 2; }, kModeChangeMs)) << ReadTuning(0).fsb;
    EXPECT_TRUE(Eventually(
        [] {
            kelp::RegistryKeyReader user;
            DWORD needed = 0;
            return user.Open(HKEY_CURRENT_USER, kAdvanceKey) && user.ReadDword("CalibrationNeeded", needed) &&
                   needed == 1;
        },
        kModeChangeMs));
    // High Performance was applied anew, with its spin-down time.
    EXPECT_TRUE(Eventually([] { return BoardKnob("spindown_timeout").has_value(); }, kModeChangeMs));
}
