#include "tests/mainwin/ProgramRig.h"

#include "app/PrivateMessages.h"
#include "board/core/BoardStore.h"
#include "hw/UserProfileManager.h"
#include "kelp/System/WinRegistry.h"
#include "tests/board/support/BoardTestSupport.h"

#include <gtest/gtest.h>

namespace programtest {
namespace {
// The program started by these tests inherits the test's own board.
const std::string boardState = boardtest::UseOwnBoardState("mainwin-program");

constexpr const char* kNames[] = {"Fsb", "GpuFreq", "vCore", "LoadLine", "NbVolt", "Fan", "DozlaIdleTimeout", "SpinDownTimeout"};
constexpr const char* kSuffixes[] = {"_Turbo", "_Normal", "_Medium", "_Low", "_Auto"};

DWORD* Field(Tuning& tuning, int name)
{
    DWORD* fields[] = {&tuning.fsb, &tuning.gpuFreq, &tuning.vCore, &tuning.loadLine, &tuning.nbVolt,
                       &tuning.fan, &tuning.idleTimeout, &tuning.spinDown};
    return fields[name];
}

vboard::BoardState ReadBoard()
{
    vboard::BoardState state;
    EXPECT_TRUE(vboard::BoardStore().Read(state));
    return state;
}

void ChangeBoard(const std::function<bool(vboard::BoardState&)>& change)
{
    ASSERT_TRUE(vboard::BoardStore().Update(change));
}
} // namespace

uint32_t BoardItem(uint32_t id)
{
    const vboard::BoardState state = ReadBoard();
    const vboard::BoardItem* item = state.Find(id);
    EXPECT_NE(item, nullptr) << std::hex << id;
    return item ? item->value : 0;
}

void SetBoardItem(uint32_t id, uint32_t value)
{
    ChangeBoard([&](vboard::BoardState& state) {
        vboard::BoardItem* item = state.Find(id);
        if (!item)
            return false;
        item->value = value;
        return true;
    });
}

std::optional<std::string> BoardKnob(const std::string& name)
{
    return ReadBoard().Knob(name);
}

void SetBoardKnob(const std::string& name, const std::string& value)
{
    ChangeBoard([&](vboard::BoardState& state) {
        state.knobs[name] = value;
        return true;
    });
}

void ClearBoardKnob(const std::string& name)
{
    ChangeBoard([&](vboard::BoardState& state) {
        state.knobs.erase(name);
        return true;
    });
}

std::map<uint32_t, uint8_t> SuperIoRegisters()
{
    return ReadBoard().registers;
}

std::optional<DWORD> ReadDword(const char* subKey, const char* name)
{
    kelp::RegistryKeyReader key;
    DWORD value = 0;
    if (key.Open(HKEY_LOCAL_MACHINE, subKey) && key.ReadDword(name, value))
        return value;
    return std::nullopt;
}

void WriteDword(const char* subKey, const char* name, DWORD value)
{
    kelp::RegistryKey key;
    ASSERT_TRUE(key.Open(HKEY_LOCAL_MACHINE, subKey, true) && key.WriteDword(name, value)) << name;
}

void DeleteValue(const char* subKey, const char* name)
{
    kelp::RegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, subKey, false))
        key.DeleteValue(name);
}

double ReadDouble(const char* subKey, const char* name)
{
    kelp::RegistryKeyReader key;
    double value = 0;
    DWORD size = sizeof value;
    if (!key.Open(HKEY_LOCAL_MACHINE, subKey) || !key.ReadBinary(name, &value, size) || size != sizeof value)
        return -1;
    return value;
}

void WriteTunings(const Tuning (&modes)[5])
{
    for (int mode = 0; mode < 5; ++mode) {
        Tuning tuning = modes[mode];
        for (int name = 0; name < 8; ++name)
            WriteDword(kAdvanceKey, (std::string(kNames[name]) + kSuffixes[mode]).c_str(), *Field(tuning, name));
    }
}

Tuning ReadTuning(int modeIndex)
{
    Tuning tuning;
    for (int name = 0; name < 8; ++name)
        *Field(tuning, name) = ReadDword(kAdvanceKey, (std::string(kNames[name]) + kSuffixes[modeIndex]).c_str()).value_or(~0u);
    return tuning;
}

void ResetProgramRegistry()
{
    for (const char* flag : {"CheckSafeFlag", "Calibration_Flag", "Gear_Flag"})
        WriteDword(kAdvanceKey, flag, 0);
    WriteDword(kRootKey, "NotFirstTime", 1);
    DeleteValue(kRootKey, "LastMode");
    // No calibration asked for: neither by the settings nor by a stored
    // calibration profile that an earlier test left behind.
    kelp::RegistryKey user;
    ASSERT_TRUE(user.Open(HKEY_CURRENT_USER, kAdvanceKey, true) && user.WriteDword("CalibrationNeeded", 0));
    DeleteFileA(kelp::UserProfileManager::DefaultPath().c_str());
    kelp::RegistryKey driver;
    ASSERT_TRUE(driver.Open(HKEY_LOCAL_MACHINE, "Software\\VANTOR\\Gruvo Driver", true) && driver.WriteString("Version", "1.0"));
}

Program::Program(const std::string& arguments, const std::string& program)
    : process_(std::make_unique<PellixProcess>(arguments, program))
{
    window_ = process_->WaitForWindow("TMainForm", kStartTimeoutMs);
    EXPECT_NE(window_, nullptr) << "no main window with '" << arguments << "'";
}

Program::~Program()
{
    if (process_->Running())
        Exit();
}

bool Program::Exit()
{
    if (window_)
        PostMessageA(window_, kMsgExit, kMessageTag, 0);
    return process_->WaitForExit(kStartTimeoutMs);
}

bool WaitForLevel(uint32_t level, DWORD timeoutMs)
{
    return Eventually([&] { return BoardItem(kGearLevelItem) == level; }, timeoutMs);
}

HWND FindDialog(PellixProcess& process, DWORD timeoutMs)
{
    HWND found = nullptr;
    Eventually(
        [&] {
            for (const ProcessWindow& window : process.Windows())
                if (window.windowClass == "TUniversalDialog" && IsWindowVisible(window.handle) &&
                    GetWindowTextLengthA(window.handle) > 0)
                    found = window.handle;
            return found != nullptr || !process.Running();
        },
        timeoutMs);
    return found;
}

std::string DialogText(HWND dialog)
{
    char text[1024] = {};
    GetWindowTextA(dialog, text, sizeof text);
    return text;
}

namespace {

struct ButtonSearch {
    int answer;
    HWND found = nullptr;
};

// Keeps the visible captioned button of the answer: the left one lies left
// of the right one.
BOOL CALLBACK MatchAnswerButton(HWND child, LPARAM data)
{
    auto* search = reinterpret_cast<ButtonSearch*>(data);
    char name[64] = {};
    GetClassNameA(child, name, sizeof name);
    RECT rect{}, parent{};
    GetWindowRect(child, &rect);
    GetWindowRect(GetParent(child), &parent);
    const int left = rect.left - parent.left;
    const bool wanted = search->answer == 1 ? left < 200 : left > 200 && left < 300;
    if (std::string(name) == "VtButtonTx" && IsWindowVisible(child) && wanted)
        search->found = child;
    return TRUE;
}

HWND AnswerButton(HWND dialog, int answer)
{
    ButtonSearch search{answer};
    EnumChildWindows(dialog, MatchAnswerButton, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

std::string ButtonText(HWND dialog, int answer)
{
    HWND button = AnswerButton(dialog, answer);
    char text[256] = {};
    if (button)
        GetWindowTextA(button, text, sizeof text);
    return text;
}

void Answer(HWND dialog, int answer)
{
    HWND button = AnswerButton(dialog, answer);
    PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    Eventually([&] { return !IsWindowVisible(dialog); }, 5000);
}

} // namespace programtest
