// Two processes driving the chip at once: with the shared Super-I/O lock
// their bank/index sequences never interleave.

#include "hw/SioAccessorDirect.h"
#include "hw/SmartFan667.h"
#include "tests/board/support/BoardTestSupport.h"
#include "tests/fan/FanTestBoard.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>

namespace {

std::string Environment(const char* name)
{
    char value[256];
    DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? value : "";
}

// Run by the worker processes only: waits for the start signal, then
// drives the chip through the lock the parent names.
TEST(SioLockWorker, DISABLED_ProgramChip)
{
    HANDLE start = OpenEventA(SYNCHRONIZE, FALSE, Environment("PELLIX_TEST_SIO_START").c_str());
    ASSERT_NE(start, nullptr);
    WaitForSingleObject(start, 10000);
    CloseHandle(start);
    kelp::VtIoLibrary ports(kelp::VtIoLibrary::DefaultFolders());
    kelp::SioAccessorDirect registers(ports);
    std::string lockName = Environment("PELLIX_TEST_SIO_LOCK");
    kelp::SioLock lock(lockName.empty() ? "VANTOR_SIO_MUTEX" : lockName.c_str());
    kelp::SmartFan667 chip(registers, lock);
    for (int round = 0; round < 5; ++round) {
        chip.SetChassisFanCruise(uint8_t(50 + round), 10);
        chip.ReadStatus();
        chip.RestoreChassisFan();
    }
}

struct Runs {
    int count = 0;          // stretches of one process's accesses
    bool allWhole = true;   // each begins by reading the bank and ends restoring it
};

Runs SplitIntoRuns(const std::vector<fantest::Access>& log)
{
    Runs runs;
    size_t begin = 0;
    for (size_t i = 1; i <= log.size(); ++i) {
        if (i < log.size() && log[i].process == log[begin].process)
            continue;
        ++runs.count;
        size_t n = i - begin;
        const fantest::Access* a = &log[begin];
        bool whole = n >= 4 && a[0].out && a[0].port == 0x295 && a[0].value == 0x4E && !a[1].out &&
                     a[1].port == 0x296 && a[n - 2].out && a[n - 2].port == 0x295 && a[n - 2].value == 0x4E &&
                     a[n - 1].out && a[n - 1].port == 0x296;
        runs.allWhole = runs.allWhole && whole;
        begin = i;
    }
    return runs;
}

// Starts two workers, releases them together, returns the chip's log.
std::vector<fantest::Access> RunTwoWorkers(const char* lockA, const char* lockB)
{
    std::string startName = "pellix-test-sio-start-" + std::to_string(GetCurrentProcessId());
    HANDLE start = CreateEventA(nullptr, TRUE, FALSE, startName.c_str());
    SetEnvironmentVariableA("PELLIX_TEST_SIO_START", startName.c_str());
    fantest::ClearAccessLog();
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string program = std::string(self).substr(std::string(self).find_last_of('\\') + 1);
    const std::string arguments = "--gtest_also_run_disabled_tests --gtest_filter=SioLockWorker.*";
    DWORD exitA = 1, exitB = 1;
    SetEnvironmentVariableA("PELLIX_TEST_SIO_LOCK", lockA);
    std::thread a([&] { exitA = boardtest::Run(program, arguments).exitCode; });
    Sleep(300); // the first child has copied its environment
    SetEnvironmentVariableA("PELLIX_TEST_SIO_LOCK", lockB);
    std::thread b([&] { exitB = boardtest::Run(program, arguments).exitCode; });
    Sleep(1500);
    SetEvent(start);
    a.join();
    b.join();
    CloseHandle(start);
    SetEnvironmentVariableA("PELLIX_TEST_SIO_LOCK", nullptr);
    EXPECT_EQ(exitA, 0u);
    EXPECT_EQ(exitB, 0u);
    return fantest::AccessLog();
}

TEST(SioLockTest, TwoProcessesNeverInterleaveTheirRegisterSequences)
{
    fantest::LoadBoard("legacy");
    std::vector<fantest::Access> log = RunTwoWorkers("VANTOR_SIO_MUTEX", "VANTOR_SIO_MUTEX");
    ASSERT_FALSE(log.empty());
    Runs runs = SplitIntoRuns(log);
    EXPECT_TRUE(runs.allWhole);
    EXPECT_GE(runs.count, 2);

    // Without a common lock the same workers do interleave, which shows
    // the check above can see it.
    std::string own = "pellix-test-sio-own-" + std::to_string(GetCurrentProcessId());
    Runs unlocked = SplitIntoRuns(RunTwoWorkers((own + "a").c_str(), (own + "b").c_str()));
    EXPECT_FALSE(unlocked.allWhole);
}

} // namespace
