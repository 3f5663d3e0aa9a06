// The load generator Strainel.dll through the program's CalibrateLib: the
// load is real (busy threads in this process), ends promptly, and a second
// start replaces the first.

#include "engine/CalibrateLib.h"
#include "tests/board/support/BoardTestSupport.h"
#include "tests/calibration/CalibrationRig.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

using calibtest::ProcessCpuMs;
using calibtest::ProcessThreads;

// Waits until this process has used `ms` more processor time.
bool BurnsAtLeast(uint64_t ms, DWORD timeoutMs)
{
    const uint64_t start = ProcessCpuMs();
    const DWORD began = GetTickCount();
    while (GetTickCount() - began < timeoutMs) {
        if (ProcessCpuMs() - start >= ms)
            return true;
        Sleep(50);
    }
    return false;
}

class StrainelTest : public testing::Test {
protected:
    void TearDown() override { load.StopCalibrate(); }
    CalibrateLib load{boardtest::RuntimeFolder()};
    const unsigned baseline = ProcessThreads();
};

TEST_F(StrainelTest, FullLoadSpinsOneThreadPerRequestAndStopsPromptly)
{
    ASSERT_TRUE(load.IsLoaded());
    ASSERT_TRUE(load.StartCalibrateWithCpuBurn(3));
    EXPECT_EQ(ProcessThreads(), baseline + 3);
    // Three spinning threads use processor time much faster than this
    // otherwise idle test, even on a machine shared with other work.
    EXPECT_TRUE(BurnsAtLeast(600, 20000));

    const DWORD before = GetTickCount();
    EXPECT_TRUE(load.StopCalibrate());
    EXPECT_LT(GetTickCount() - before, 1000u);
    EXPECT_EQ(ProcessThreads(), baseline);
    const uint64_t stopped = ProcessCpuMs();
    Sleep(500);
    EXPECT_LT(ProcessCpuMs() - stopped, 150u);
    // Stopping with nothing running still succeeds.
    EXPECT_TRUE(load.StopCalibrate());
}

TEST_F(StrainelTest, ANewLoadReplacesTheRunningOne)
{
    ASSERT_TRUE(load.StartCalibrateWithCpuBurn(5));
    ASSERT_TRUE(load.StartCalibrateWithCpuBurn(2));
    EXPECT_EQ(ProcessThreads(), baseline + 2);
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    ASSERT_TRUE(load.StartCalibrateWithPrimary(1));
    EXPECT_EQ(ProcessThreads(), baseline + system.dwNumberOfProcessors);
    // The primary load is moderate but real.
    EXPECT_TRUE(BurnsAtLeast(200, 20000));
    ASSERT_TRUE(load.StopCalibrate());
    EXPECT_EQ(ProcessThreads(), baseline);
}

TEST_F(StrainelTest, RefusesLoadsItCannotRun)
{
    ASSERT_TRUE(load.StartCalibrateWithCpuBurn(2));
    // A refused start leaves nothing running, not even the earlier load.
    EXPECT_FALSE(load.StartCalibrateWithCpuBurn(0));
    EXPECT_EQ(ProcessThreads(), baseline);
    EXPECT_FALSE(load.StartCalibrateWithCpuBurn(-3));
    EXPECT_FALSE(load.StartCalibrateWithPrimary(0));
    EXPECT_FALSE(load.StartCalibrateWithPrimary(10));
    EXPECT_EQ(ProcessThreads(), baseline);
    // Requests beyond the library's limit run at the limit.
    ASSERT_TRUE(load.StartCalibrateWithCpuBurn(1000));
    EXPECT_EQ(ProcessThreads(), baseline + 64);
}

TEST_F(StrainelTest, StartsAndStopsFromSeveralThreadsLeaveNoWorkers)
{
    std::vector<std::thread> callers;
    for (int i = 0; i < 4; ++i)
        callers.emplace_back([&, i] {
            for (int round = 0; round < 10; ++round) {
                if ((round + i) % 3 == 0)
                    load.StopCalibrate();
                else
                    load.StartCalibrateWithCpuBurn(1 + (round + i) % 4);
            }
        });
    for (std::thread& caller : callers)
        caller.join();
    // At most one load, of at most four workers, survives.
    EXPECT_LE(ProcessThreads(), baseline + 4);
    ASSERT_TRUE(load.StopCalibrate());
    EXPECT_EQ(ProcessThreads(), baseline);
}

TEST(StrainelUnload, ALoadKeepsTheLibraryUntilItEnds)
{
    const unsigned baseline = ProcessThreads();
    {
        CalibrateLib only{boardtest::RuntimeFolder()};
        ASSERT_TRUE(only.StartCalibrateWithCpuBurn(2));
    }
    // Freed by its only user, the library stays while its workers run.
    Sleep(200);
    EXPECT_EQ(ProcessThreads(), baseline + 2);
    EXPECT_NE(GetModuleHandleA("Strainel.dll"), nullptr);
    {
        CalibrateLib again{boardtest::RuntimeFolder()};
        ASSERT_TRUE(again.StopCalibrate());
    }
    EXPECT_EQ(ProcessThreads(), baseline);
    EXPECT_EQ(GetModuleHandleA("Strainel.dll"), nullptr);
}

// A folder with no Strainel.dll, or a library without the exports.
std::string FolderWith(const char* libraryToCopy)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder =
        std::string(temp) + "pellix-strainel-" + std::to_string(GetCurrentProcessId()) + "-" +
        (libraryToCopy ? "wrong" : "none") + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    if (libraryToCopy)
        CopyFileA((boardtest::RuntimeFolder() + libraryToCopy).c_str(), (folder + "Strainel.dll").c_str(), FALSE);
    return folder;
}

TEST(CalibrateLibFailures, ReportMissingLibraryAndExportsAndCallNothing)
{
    if (!calibtest::WindowsAvailable())
        GTEST_SKIP() << "no window driver: message boxes cannot be shown";
    boardtest::MessageBoxCatcher catcher;
    CalibrateLib missing(FolderWith(nullptr));
    CalibrateLib wrong(FolderWith("VtSpindownTimeout.dll"));
    for (CalibrateLib* lib : {&missing, &wrong}) {
        EXPECT_FALSE(lib->IsLoaded());
        EXPECT_FALSE(lib->StartCalibrateWithPrimary(1));
        EXPECT_FALSE(lib->StartCalibrateWithCpuBurn(4));
        EXPECT_FALSE(lib->StopCalibrate());
    }
    const auto messages = catcher.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, "Can not load Strainel.dll");
    EXPECT_EQ(messages[0].caption, "Tamsel3");
    EXPECT_EQ(messages[1].text, "Can not GetProcAddress failed");
    EXPECT_EQ(messages[1].caption, "Tamsel3");
}

} // namespace
