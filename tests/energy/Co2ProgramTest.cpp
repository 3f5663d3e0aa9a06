// The CO2 readout of the running program on the virtual board: with the
// processor drawing power and a saving mode in force it grows as the
// program samples, matches the accounts the program stores, and shows the
// same figure again after a restart; the shrunk window takes the small
// outline.

#include "app/PrivateMessages.h"
#include "engine/CalendarDay.h"
#include "engine/SavingsHistoryCodec.h"
#include "tests/board/support/BoardTestSupport.h"
#include "tests/mainwin/ProgramRig.h"

#include "framework/graphics/Bitmap.h"
#include "framework/system/ExecutableFolder.h"
#include "kelp/System/WinRegistry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using namespace programtest;

namespace {

constexpr const char* kCpuPowerItem = "0x0E0B0013";
constexpr int kCo2Left = 46;
constexpr int kCo2Top = 236;
constexpr uint32_t kKeyColour = 0xFF00FF;

std::string RuntimeFile(const char* name)
{
    return ExecutableFolder() + name;
}

struct Pixels {
    int width = 0, height = 0;
    std::vector<uint32_t> rgb;
    uint32_t At(int x, int y) const { return rgb[size_t(y) * width + x] & 0xFFFFFF; }
};

// What the window shows, read inside the program by the probe's hook.
std::optional<Pixels> ReadWindow(HWND window)
{
    const std::string path = RuntimeFile("window-pixels.bin");
    DeleteFileA(path.c_str());
    HMODULE probe = LoadLibraryA(RuntimeFile("readoutprobe.dll").c_str());
    auto hook = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(probe, "ReadWindowHook")));
    HHOOK installed = SetWindowsHookExA(WH_GETMESSAGE, hook, probe, GetWindowThreadProcessId(window, nullptr));
    EXPECT_NE(installed, nullptr);
    PostMessageA(window, RegisterWindowMessageA("PellixTestReadWindow"), 0, 0);
    const bool written = Eventually([&] { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }, 10000);
    UnhookWindowsHookEx(installed);
    if (!written)
        return std::nullopt;
    Pixels pixels;
    FILE* file = std::fopen(path.c_str(), "rb");
    int size[2] = {};
    if (file && std::fread(size, sizeof size, 1, file) == 1) {
        pixels.width = size[0];
        pixels.height = size[1];
        pixels.rgb.resize(size_t(size[0]) * size[1]);
        std::fread(pixels.rgb.data(), 4, pixels.rgb.size(), file);
    }
    if (file)
        std::fclose(file);
    return pixels;
}

// The thirteen glyphs as the program loads them.
struct Glyph {
    int width = 0, height = 0;
    std::vector<uint32_t> rgb;
};

const std::vector<Glyph>& Glyphs()
{
    static const std::vector<Glyph> glyphs = [] {
        std::vector<Glyph> loaded;
        for (int i = 0; i < 13; ++i) {
            char name[40];
            std::snprintf(name, sizeof name, "Resource\\Number\\%02d.bmp", i);
            TBitmap bitmap;
            bitmap.LoadFromFile(RuntimeFile(name));
            bitmap.SetPixelFormat(TPixelFormat::pf24bit);
            Glyph glyph{bitmap.Width(), bitmap.Height(), {}};
            for (int y = 0; y < glyph.height; ++y) {
                const uint8_t* row = bitmap.ScanLine(y);
                for (int x = 0; x < glyph.width; ++x)
                    glyph.rgb.push_back(row[3 * x] | row[3 * x + 1] << 8 | row[3 * x + 2] << 16);
            }
            loaded.push_back(std::move(glyph));
        }
        return loaded;
    }();
    return glyphs;
}

// The glyph drawn at (left, top): every pixel the glyph does not leave out
// is on screen exactly.
int GlyphAt(const Pixels& pixels, int left, int top, bool point)
{
    for (int index = 0; index < 13; ++index) {
        const bool isPoint = index == 10 || index == 12;
        if (isPoint != point)
            continue;
        const Glyph& glyph = Glyphs()[index];
        bool match = true;
        for (int y = 0; y < glyph.height && match; ++y)
            for (int x = 0; x < glyph.width && match; ++x) {
                const uint32_t colour = glyph.rgb[size_t(y) * glyph.width + x];
                match = colour == kKeyColour || pixels.At(left + x, top + y) == colour;
            }
        if (match)
            return index;
    }
    return -1;
}

// The CO2 readout as a number (nullopt when a place shows no glyph).
std::optional<double> Co2Readout(const Pixels& pixels)
{
    std::string text;
    int x = kCo2Left;
    for (int place = 0; place < 10; ++place) {
        const bool point = place == 6;
        if (point)
            x -= 1;
        const int glyph = GlyphAt(pixels, x, kCo2Top, point);
        if (glyph < 0)
            return std::nullopt;
        if (glyph <= 9)
            text += char('0' + glyph);
        else if (glyph == 10)
            text += '.';
        x += Glyphs()[glyph].width + (point ? 4 : 5);
    }
    return std::stod(text);
}

double StoredCo2()
{
    const double vga = std::max(0.0, ReadDouble("Software\\VANTOR\\Tamsel3\\Ordun\\VGA", "TotalSaving"));
    return (ReadDouble(kMbAccountKey, "TotalSaving") + vga) * 615;
}

// The window brought up as the user would, then its CO2 readout.
std::optional<double> ReadCo2(HWND window)
{
    PostMessageA(window, kMsgShowMainWindow, kMessageTag, 0);
    if (!Eventually([&] { return IsWindowVisible(window) != 0; }, 5000))
        return std::nullopt;
    const std::optional<Pixels> pixels = ReadWindow(window);
    if (!pixels || pixels->width < 300 || pixels->height < 300)
        return std::nullopt;
    return Co2Readout(*pixels);
}

// The graphics driver's entry as it was before the test: later test
// programs in the same prefix expect a machine without it.
class DriverEntryKept {
public:
    DriverEntryKept() : present_(Present()) {}
    ~DriverEntryKept()
    {
        if (!present_)
            DeleteValue(kDriverKey, "Version");
    }

private:
    static constexpr const char* kDriverKey = "Software\\VANTOR\\Gruvo Driver";
    static bool Present()
    {
        kelp::RegistryKeyReader key;
        std::string version;
        return key.Open(HKEY_LOCAL_MACHINE, kDriverKey) && key.ReadString("Version", version);
    }
    bool present_;
};

BOOL CALLBACK FindCheckBox(HWND child, LPARAM found)
{
    char name[64] = {};
    GetClassNameA(child, name, sizeof name);
    if (std::string(name) == "VtCheckBox")
        *reinterpret_cast<HWND*>(found) = child;
    return TRUE;
}

void ClickShrinkBox(HWND window)
{
    HWND box = nullptr;
    EnumChildWindows(window, FindCheckBox, reinterpret_cast<LPARAM>(&box));
    ASSERT_NE(box, nullptr);
    PostMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

// The window's height and the bottom of its outline.
bool HasHeight(HWND window, int height)
{
    RECT rect{}, outline{};
    GetWindowRect(window, &rect);
    return rect.bottom - rect.top == height && GetWindowRgnBox(window, &outline) != ERROR &&
           outline.bottom == height;
}

constexpr const char* kHistoryKey = "Software\\VANTOR\\Tamsel3\\Ordun\\History";

int LocalToday()
{
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return calendar::DayNumber({local.wYear, local.wMonth, local.wDay});
}

std::vector<history::DayRecord> StoredDays()
{
    std::vector<uint8_t> bytes(history::kMaxStoredBytes);
    DWORD size = DWORD(bytes.size());
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kHistoryKey, "Days", RRF_RT_REG_BINARY, nullptr, bytes.data(), &size) !=
        ERROR_SUCCESS)
        return {};
    unsigned problems = 0;
    return history::DecodeHistory(bytes.data(), size, LocalToday(), problems);
}

// Seconds stored for today; 0 before the first write.
uint32_t StoredSecondsToday()
{
    const std::vector<history::DayRecord> days = StoredDays();
    return !days.empty() && days.back().day == LocalToday() ? days.back().Seconds() : 0;
}

void Kill(PellixProcess& process)
{
    HANDLE handle = OpenProcess(PROCESS_TERMINATE, FALSE, process.Id());
    ASSERT_NE(handle, nullptr);
    TerminateProcess(handle, 9);
    CloseHandle(handle);
    ASSERT_TRUE(process.WaitForExit(10000));
}

} // namespace

TEST(Co2Program, TheReadoutGrowsWithTheSavingsAndSurvivesARestart)
{
    const DriverEntryKept driverEntry;
    ResetProgramRegistry();
    // A steady 100 W processor.
    SetBoardKnob("tamsel_sensors", "hold");
    ASSERT_EQ(boardtest::Run("boardctl.exe", std::string("set ") + kCpuPowerItem + " 0x0064").exitCode, 0u);

    double beforeExit = 0;
    {
        Program program("");
        ASSERT_TRUE(program.Started());
        ASSERT_TRUE(WaitForLevel(0));
        PostMessageA(program.Window(), kMsgMaxSaving, 0, 0);
        ASSERT_TRUE(WaitForLevel(2));
        Sleep(5500);
        const std::optional<double> first = ReadCo2(program.Window());
        ASSERT_TRUE(first) << "no readout on the window";
        // 100 W at 46 % for 5 s: about 39 mg a tick.
        Sleep(40000);
        const std::optional<double> later = ReadCo2(program.Window());
        ASSERT_TRUE(later);
        EXPECT_GT(*later, *first + 5 * 39);
        // The window shows what the accounts hold, give or take a tick.
        EXPECT_NEAR(*later, StoredCo2(), 40.0);
        beforeExit = *later;
        ASSERT_TRUE(program.Exit());
    }
    const double stored = StoredCo2();
    // The readout rounds its last place: what is stored may lie below
    // what was shown, by less than that place's unit.
    EXPECT_GE(stored, beforeExit - 0.001);

    Program again("");
    ASSERT_TRUE(again.Started());
    const std::optional<double> restarted = ReadCo2(again.Window());
    ASSERT_TRUE(restarted);
    // Shown at once from the stored accounts, not counted from 0 again.
    EXPECT_NEAR(*restarted, stored, 40.0);

    // The shrink box takes the window and its outline down to the small
    // background and back.
    ClickShrinkBox(again.Window());
    EXPECT_TRUE(Eventually([&] { return HasHeight(again.Window(), 515); }, 5000));
    ClickShrinkBox(again.Window());
    EXPECT_TRUE(Eventually([&] { return HasHeight(again.Window(), 548); }, 5000));
}

TEST(HistoryProgram, EarlierDaysAndTheLastWriteSurviveAKillAndTheRestartCountsOn)
{
    const DriverEntryKept driverEntry;
    ResetProgramRegistry();
    SetBoardKnob("tamsel_sensors", "hold");
    ASSERT_EQ(boardtest::Run("boardctl.exe", std::string("set ") + kCpuPowerItem + " 0x0064").exitCode, 0u);
    const int today = LocalToday();
    std::vector<history::DayRecord> earlier(2);
    for (int i = 0; i < 2; ++i) {
        earlier[i].day = today - 2 + i;
        earlier[i].boardSaved[3] = 10.5 + i;
        earlier[i].modeSeconds[3] = 3600;
    }
    const std::vector<uint8_t> seeded = history::EncodeHistory(earlier);
    ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, kHistoryKey, "Days", REG_BINARY, seeded.data(), DWORD(seeded.size())),
              ERROR_SUCCESS);

    uint32_t killedAt = 0;
    {
        Program program("");
        ASSERT_TRUE(program.Started());
        ASSERT_TRUE(WaitForLevel(0));
        PostMessageA(program.Window(), kMsgMaxSaving, 0, 0);
        ASSERT_TRUE(WaitForLevel(2));
        // Written once a minute of ticks.
        ASSERT_TRUE(Eventually([] { return StoredSecondsToday() >= 60; }, 100000));
        Kill(program.Process());
        killedAt = StoredSecondsToday();
    }
    std::vector<history::DayRecord> days = StoredDays();
    ASSERT_EQ(days.size(), 3u);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(days[i].day, earlier[i].day);
        EXPECT_EQ(days[i].boardSaved, earlier[i].boardSaved);
    }
    EXPECT_GT(days[2].SavedIn(3), 0) << "today's savings in Max Power Saving";

    Program again("");
    ASSERT_TRUE(again.Started());
    // The restart loads the days and counts today on, not from nothing.
    ASSERT_TRUE(Eventually([&] { return StoredSecondsToday() >= killedAt + 60; }, 100000));
    days = StoredDays();
    ASSERT_EQ(days.size(), 3u);
    EXPECT_EQ(days[1].boardSaved, earlier[1].boardSaved);

    // The button beside the shrink box opens the history window.
    PostMessageA(again.Window(), kMsgShowMainWindow, kMessageTag, 0);
    HWND button = ChildWindowFromPointEx(again.Window(), {623, 209}, CWP_SKIPINVISIBLE);
    ASSERT_NE(button, again.Window());
    char name[32] = {};
    GetClassNameA(button, name, sizeof name);
    EXPECT_STREQ(name, "VtButton");
    PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(Eventually(
        [] {
            HWND history = FindWindowA("THistoryForm", nullptr);
            return history && IsWindowVisible(history);
        },
        5000));

    // Ticks since the last write are written at exit.
    const uint32_t beforeExit = StoredSecondsToday();
    Sleep(6000);
    ASSERT_TRUE(again.Exit());
    EXPECT_GT(StoredSecondsToday(), beforeExit);
}
