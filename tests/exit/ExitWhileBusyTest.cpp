// A process that ends while threads still work: the firmware clock of
// Tamsel.dll stepping the Auto gear, the load generator's spinning workers,
// and threads of the program that call its process-wide power-gear facade.
// exit() runs on the main thread while they go on, so every object they
// use must outlive it, and the board's clock ends itself before
// ExitProcess would end it abruptly.
// The tests start this executable as a child again and again: a fault
// shows as an exit code other than 0 or a missing pass line.

#include "engine/CalibrateLib.h"
#include "kelp/vantor/PowerGear.h"
#include "tests/board/support/BoardTestSupport.h"
#include "tests/calibration/CalibrationRig.h"
#include "tests/gear/GearRig.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>

namespace {

constexpr int kAuto = 0x8000;
constexpr int kRuns = 12;
constexpr int kCallers = 2;
// The exit code of a child that still had a board thread after exit().
constexpr DWORD kThreadLeft = 0xC10C;

std::string ThisProgram()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string full(path, length);
    return full.substr(full.find_last_of('\\') + 1);
}

// A thread that faults ends the child with the fault's code. Without this
// the fault would go unseen: the main thread, already in exit(), ends the
// process with 0 while the fault is being reported.
LONG WINAPI EndWithFaultCode(EXCEPTION_POINTERS* fault)
{
    TerminateProcess(GetCurrentProcess(), fault->ExceptionRecord->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

// Registered before the objects under test are built, so it runs after
// their exit-time destructors, if any: the threads get time to meet a
// destroyed object before the process ends.
void LingerAtExit()
{
    Sleep(300);
}

// Run only as the child: returns with every thread busy.
TEST(ExitChild, DISABLED_ReturnsWhileThreadsWork)
{
    SetUnhandledExceptionFilter(EndWithFaultCode);
    std::atexit(LingerAtExit);
    geartest::LoadBoard("current", [](vboard::BoardState& state) { state.knobs["tamsel_tick_ms"] = "50"; });
    kelp::PowerGear::m_impIndex = 0;
    kelp::PowerGear& gear = kelp::PowerGear::Instance();
    ASSERT_TRUE(gear.SetLevel(kAuto));
    ASSERT_TRUE(CalibrateLib::Instance().StartCalibrateWithCpuBurn(2));
    for (int i = 0; i < kCallers; ++i)
        std::thread([&gear] {
            for (;;)
                gear.GetIcpu();
        }).detach();
    Sleep(100);
}

unsigned threadsBeforeTheBoard = 0;

// Registered before the board library starts its clock, so it runs after
// the clock's own stop in exit().
void NoThreadLeftAtExit()
{
    if (calibtest::ProcessThreads() > threadsBeforeTheBoard)
        TerminateProcess(GetCurrentProcess(), kThreadLeft);
}

// Run only as the child: returns while the clock steps the Auto gear.
TEST(ExitChild, DISABLED_ReturnsWhileTheBoardClockRuns)
{
    threadsBeforeTheBoard = calibtest::ProcessThreads();
    std::atexit(NoThreadLeftAtExit);
    geartest::LoadBoard("current", [](vboard::BoardState& state) { state.knobs["tamsel_tick_ms"] = "50"; });
    geartest::GearRig rig;
    ASSERT_TRUE(rig.gear->SetLevel(kAuto));
    Sleep(100);
}

void RunChildren(const char* childTest)
{
    const std::string arguments = std::string("--gtest_also_run_disabled_tests --gtest_filter=ExitChild.") + childTest;
    for (int run = 1; run <= kRuns; ++run) {
        const boardtest::ProcessResult child = boardtest::Run(ThisProgram(), arguments);
        ASSERT_EQ(child.exitCode, 0u) << "run " << run << std::hex << ", exit code 0x" << child.exitCode << "\n"
                                      << child.out << child.err;
        ASSERT_NE(child.out.find("[  PASSED  ] 1 test"), std::string::npos) << "run " << run << "\n" << child.out;
    }
}

TEST(ProcessExit, EndsCleanlyWhileThreadsWork)
{
    RunChildren("DISABLED_ReturnsWhileThreadsWork");
}

TEST(ProcessExit, BoardClockEndsBeforeTheProcess)
{
    RunChildren("DISABLED_ReturnsWhileTheBoardClockRuns");
}

} // namespace
