// The program's end while it is busy: in a calibration (by the exit or by
// the end of the session), and while a mode change hangs in the firmware,
// whichever way it is asked to end. The process goes within seconds and
// leaves no crash guard behind, so the next start at log-on restores the
// last mode with every setting as it was.

#include "app/PrivateMessages.h"
#include "tests/board/support/BoardTestSupport.h"
#include "tests/exit/BusyProgramRig.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

using namespace exittest;
using namespace programtest;

namespace {
constexpr DWORD kExitMs = 5000;
constexpr DWORD kHungExitMs = 10000;

void PostExit(const Program& program)
{
    PostMessageA(program.Window(), kMsgExit, kMessageTag, 0);
}

// What a polite end of the task sends.
void CloseApplicationWindow(Program& program)
{
    for (const ProcessWindow& window : program.Process().Windows())
        if (window.windowClass == "TApplication")
            PostMessageA(window.handle, WM_CLOSE, 0, 0);
}

// A copy of the installation in which one picture is no picture any more
// but keeps its size: the folder's catalogue still vouches for its header,
// so the program starts, and the picture fails when it is first drawn.
class InstallationWithBrokenPicture {
public:
    explicit InstallationWithBrokenPicture(const std::string& picture)
    {
        namespace fs = std::filesystem;
        const fs::path from = boardtest::RuntimeFolder();
        folder_ = fs::temp_directory_path() / "exit-broken-picture";
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        // Everything but the other programs of the runtime folder.
        for (const fs::directory_entry& entry : fs::directory_iterator(from)) {
            const std::string name = entry.path().filename().string();
            if (entry.is_directory())
                fs::copy(entry.path(), folder_ / name, fs::copy_options::recursive);
            else if (entry.path().extension() != ".exe" || name == "Pellix.exe")
                fs::copy_file(entry.path(), folder_ / name);
        }
        std::fstream broken(folder_ / picture, std::ios::binary | std::ios::in | std::ios::out);
        broken.write("XX", 2);
    }
    ~InstallationWithBrokenPicture()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    std::string Program() const { return (folder_ / "Pellix.exe").string(); }

private:
    std::filesystem::path folder_;
};

// Shows the window, whose first paint meets the broken picture, and
// confirms the notice that names it.
void ShowBrokenWindow(Program& program)
{
    PostMessageA(program.Window(), kMsgShowMainWindow, kMessageTag, 0);
    HWND box = program.Process().WaitForWindow("#32770", 10000);
    ASSERT_NE(box, nullptr) << "no notice of the broken picture";
    EXPECT_TRUE(Eventually([&] { return MessageBoxText(box).find("reinstall") != std::string::npos; }, 5000))
        << MessageBoxText(box);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}
} // namespace

TEST(ProgramExit, TheExitOrALogOffDuringACalibrationLeavesTheNextLogOnClean)
{
    for (const bool logOff : {false, true}) {
        SCOPED_TRACE(logOff ? "log-off" : "exit message");
        ResetProgramRegistry();
        WriteOwnSettings();
        ForgetThresholds();
        {
            Program program("");
            ASSERT_TRUE(program.Started());
            StartCalibration(program);
            if (logOff) {
                LogOff(program);
            } else {
                PostExit(program);
                ASSERT_TRUE(program.Process().WaitForExit(kExitMs)) << "the exit was lost in the calibration";
                EXPECT_EQ(program.Process().ExitCode(), 0u);
            }
        }
        EXPECT_EQ(Flag("Calibration_Flag"), DWORD(0));
        EXPECT_EQ(Flag("Gear_Flag"), DWORD(0));
        EXPECT_EQ(BoardItem(kGearLevelItem), 0u);
        ExpectCleanLogOn();
    }
}

TEST(ProgramExit, EveryWayOutWhileAModeChangeHangsEndsAtOnceWithoutTheCrashGuard)
{
    struct Way {
        const char* name;
        const char* brokenPicture;
        std::function<void(Program&)> leave;
    };
    const Way ways[] = {
        {"exit message", nullptr, PostExit},
        {"close of the application window", nullptr, CloseApplicationWindow},
        {"picture that fails when first drawn", "Skin\\Main\\LargeBk.bmp", ShowBrokenWindow},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        ResetProgramRegistry();
        std::optional<InstallationWithBrokenPicture> installation;
        if (way.brokenPicture)
            installation.emplace(way.brokenPicture);
        Program program("-b", installation ? installation->Program() : std::string());
        ASSERT_TRUE(program.Started());
        ASSERT_TRUE(WaitForLevel(0));
        // The firmware takes far longer over the level than the exit waits.
        SetBoardKnob("tamsel_set_level_delay_ms", "15000");
        PostMessageA(program.Window(), kMsgMediumSaving, 0, 0);
        ASSERT_TRUE(Eventually([] { return Flag("Gear_Flag") == DWORD(1); }, 5000));

        way.leave(program);
        // The exit's bounded wait, then Wine takes its time to end a process
        // whose thread is busy; far less than the change would take.
        const bool ended = program.Process().WaitForExit(kHungExitMs);
        ClearBoardKnob("tamsel_set_level_delay_ms");
        EXPECT_TRUE(ended);
        EXPECT_EQ(program.Process().ExitCode(), 0u);
        EXPECT_EQ(Flag("Gear_Flag"), DWORD(0));
        EXPECT_EQ(BoardItem(kGearLevelItem), 0u);
    }
}
