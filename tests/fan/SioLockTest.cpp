// Two processes driving the chip at once: with the shared Super-I/O lock
// their bank/index sequences never interleave.

#include "hw/SioAccessorDirect.h"
#include "hw/SmartFan667.h"
#include "tests/board/support/BoardTestSupport.h"
#include "tests/fan/FanTestBoard.h"

#include "framework/system/ProcessWide.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

namespace {

std::string Environment(const char* name)
{
    char value[256];
    DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? value : "";
}

// What a worker process drives the chip with, once the parent's start
// signal came.
struct WorkerPorts {
    WorkerPorts()
    {
        HANDLE start = OpenEventA(SYNCHRONIZE, FALSE, Environment("PELLIX_TEST_SIO_START").c_str());
        EXPECT_NE(start, nullptr);
        if (start) {
            WaitForSingleObject(start, 10000);
            CloseHandle(start);
        }
    }
    kelp::VtIoLibrary ports{kelp::VtIoLibrary::DefaultFolders()};
    kelp::SioAccessorDirect registers{ports};
};

// Run by the worker processes only: drives the chip through the locks the
// parent names.
TEST(SioLockWorker, DISABLED_ProgramChip)
{
    WorkerPorts worker;
    kelp::SioLock lock(Environment("PELLIX_TEST_SIO_LOCK").c_str(), Environment("PELLIX_TEST_SIO_SHARED").c_str());
    kelp::SmartFan667 chip(worker.registers, lock);
    for (int round = 0; round < 5; ++round) {
        chip.SetChassisFanCruise(uint8_t(50 + round), 10);
        chip.ReadStatus();
        chip.RestoreChassisFan();
    }
}

// Another hardware monitor: it knows only the shared mutex, and switches
// the bank for a register read and back, as such programs do.
TEST(SioLockWorker, DISABLED_OtherMonitor)
{
    WorkerPorts worker;
    kelp::SioAccessorDirect& registers = worker.registers;
    HANDLE shared = CreateMutexA(nullptr, FALSE, Environment("PELLIX_TEST_SIO_SHARED").c_str());
    ASSERT_NE(shared, nullptr);
    for (int round = 0; round < 15; ++round) {
        WaitForSingleObject(shared, INFINITE);
        const uint8_t bank = registers.GetBank();
        registers.SetBank(1);
        registers.ReadReg(0x50);
        registers.SetBank(bank);
        ReleaseMutex(shared);
    }
    CloseHandle(shared);
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

// One worker process: the case it runs and the lock names it gets.
struct Worker {
    const char* test;
    std::string event;
    std::string shared;
};

// Starts two workers, releases them together, returns the chip's log.
std::vector<fantest::Access> RunTwoWorkers(const Worker& first, const Worker& second)
{
    std::string startName = "pellix-test-sio-start-" + std::to_string(GetCurrentProcessId());
    HANDLE start = CreateEventA(nullptr, TRUE, FALSE, startName.c_str());
    SetEnvironmentVariableA("PELLIX_TEST_SIO_START", startName.c_str());
    fantest::ClearAccessLog();
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string program = std::string(self).substr(std::string(self).find_last_of('\\') + 1);
    DWORD exits[2] = {1, 1};
    std::thread threads[2];
    const Worker* workers[2] = {&first, &second};
    for (int i = 0; i < 2; ++i) {
        SetEnvironmentVariableA("PELLIX_TEST_SIO_LOCK", workers[i]->event.c_str());
        SetEnvironmentVariableA("PELLIX_TEST_SIO_SHARED", workers[i]->shared.c_str());
        const std::string arguments =
            std::string("--gtest_also_run_disabled_tests --gtest_filter=SioLockWorker.") + workers[i]->test;
        threads[i] = std::thread([&exits, i, program, arguments] { exits[i] = boardtest::Run(program, arguments).exitCode; });
        Sleep(300); // the child has copied its environment
    }
    Sleep(1500);
    SetEvent(start);
    for (std::thread& thread : threads)
        thread.join();
    CloseHandle(start);
    SetEnvironmentVariableA("PELLIX_TEST_SIO_LOCK", nullptr);
    SetEnvironmentVariableA("PELLIX_TEST_SIO_SHARED", nullptr);
    EXPECT_EQ(exits[0], 0u);
    EXPECT_EQ(exits[1], 0u);
    return fantest::AccessLog();
}

// Names of this test process's own, so that parallel runs stay apart.
std::string Own(const char* name)
{
    return std::string("pellix-test-sio-") + name + "-" + std::to_string(GetCurrentProcessId());
}

TEST(SioLockTest, TwoProcessesNeverInterleaveTheirRegisterSequences)
{
    fantest::LoadBoard("legacy");
    const Worker pellix{"DISABLED_ProgramChip", "VANTOR_SIO_MUTEX", Own("shared")};
    std::vector<fantest::Access> log = RunTwoWorkers(pellix, pellix);
    ASSERT_FALSE(log.empty());
    Runs runs = SplitIntoRuns(log);
    EXPECT_TRUE(runs.allWhole);
    EXPECT_GE(runs.count, 2);

    // Without a common lock the same workers do interleave, which shows
    // the check above can see it.
    Runs unlocked = SplitIntoRuns(RunTwoWorkers({"DISABLED_ProgramChip", Own("a"), Own("shared-a")},
                                                {"DISABLED_ProgramChip", Own("b"), Own("shared-b")}));
    EXPECT_FALSE(unlocked.allWhole);
}

TEST(SioLockTest, AnotherMonitorHoldingOnlyTheSharedMutexNeverInterleavesWithUs)
{
    fantest::LoadBoard("legacy");
    const std::string shared = Own("shared");
    Runs runs = SplitIntoRuns(RunTwoWorkers({"DISABLED_ProgramChip", Own("event"), shared},
                                            {"DISABLED_OtherMonitor", Own("unused"), shared}));
    EXPECT_TRUE(runs.allWhole);
    EXPECT_GE(runs.count, 2);
}

// A monitor that died holding the mutex does not block the chip: the
// abandoned mutex counts as taken, and is handed on when we let go.
TEST(SioLockTest, AbandonedSharedMutexIsTakenAndPassedOn)
{
    const std::string shared = Own("abandoned");
    std::thread([&] {
        HANDLE mutex = CreateMutexA(nullptr, TRUE, shared.c_str());
        (void)mutex; // the thread ends holding it
    }).join();
    kelp::SioLock lock(Own("abandoned-event").c_str(), shared.c_str(), 200);
    lock.Lock();
    lock.Unlock();

    HANDLE mutex = OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, shared.c_str());
    ASSERT_NE(mutex, nullptr);
    DWORD taken = 1;
    std::thread([&] { taken = WaitForSingleObject(mutex, 0); ReleaseMutex(mutex); }).join();
    EXPECT_EQ(taken, WAIT_OBJECT_0) << "still owned, or abandoned again";
    CloseHandle(mutex);
}

// The exit keeps the lock: it waits for another thread's sequence to end,
// goes on locking itself, and no other thread begins a sequence after it;
// the shared objects stay free for the other processes.
TEST(SioLockTest, KeptLockWaitsForTheSequenceAndShutsOutEveryOtherThread)
{
    // Never destroyed: the thread shut out waits in it until the process ends.
    static ProcessWide<kelp::SioLock> lock(Own("kept-event").c_str(), Own("kept-shared").c_str(), 100);
    std::atomic<bool> inSequence{false};
    std::thread holder([&] {
        lock->Lock();
        inSequence = true;
        Sleep(600);
        inSequence = false;
        lock->Unlock();
    });
    while (!inSequence)
        Sleep(10);
    ASSERT_TRUE(lock->KeepForThisThread(5000));
    EXPECT_FALSE(inSequence) << "kept while another thread was inside a sequence";
    holder.join();

    lock->Lock();
    lock->Unlock();
    static std::atomic<bool> latecomerIn{false};
    std::thread([] {
        lock->Lock();
        latecomerIn = true;
    }).detach();
    // Several times the latecomer's own bounded wait.
    Sleep(1500);
    EXPECT_FALSE(latecomerIn) << "another thread began a sequence after the lock was kept";

    HANDLE event = OpenEventA(SYNCHRONIZE | EVENT_MODIFY_STATE, FALSE, Own("kept-event").c_str());
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0) << "the shared event is left taken";
    SetEvent(event);
    CloseHandle(event);
}

} // namespace
