#include "board/tamsel/FirmwareClock.h"

#include "board/core/BoardStore.h"
#include "board/core/Handle.h"
#include "board/core/StateChangeWatch.h"
#include "board/tamsel/GearFirmware.h"
#include "framework/system/ProcessWide.h"
#include "framework/system/ThreadStack.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <string>

namespace tamsel {

namespace {
constexpr DWORD kDefaultPeriodMs = 500;
constexpr DWORD kMinimumPeriodMs = 50;
// The longest the process's exit waits for the clock to end; a clock stuck
// behind another process's board lock is then ended with the process.
constexpr DWORD kStopWaitMs = 2000;

// The clock's thread and the event that ends it. Never destroyed: the
// process ends the clock, not this library's exit.
struct Clock {
    vboard::Handle thread;
    vboard::Handle stop{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
};

Clock& TheClock()
{
    static ProcessWide<Clock> clock;
    return *clock;
}

// Waits up to `timeoutMs` for the end of the clock or, when `watch` is
// given, a change of the state. True when the clock is to end.
bool WaitForStopOr(const vboard::StateChangeWatch* watch, DWORD timeoutMs, bool& changed)
{
    const HANDLE events[] = {TheClock().stop.Get(), watch ? watch->Event() : nullptr};
    const DWORD woken = WaitForMultipleObjects(watch ? 2 : 1, events, FALSE, timeoutMs);
    changed = woken == WAIT_OBJECT_0 + 1;
    return woken == WAIT_OBJECT_0;
}

DWORD PeriodOf(const vboard::BoardState& state)
{
    return std::max<DWORD>(state.KnobWord("tamsel_tick_ms", kDefaultPeriodMs), kMinimumPeriodMs);
}

// One step of the Auto gear, decided on the state last read and checked
// again under the board lock before it is written.
void StepAutoGear(vboard::BoardStore& store, const vboard::BoardState& seen)
{
    const auto next = NextAutoGear(seen);
    if (!next || *next == seen.Find(vboard::kAutoGearItem)->value)
        return;
    store.Update([](vboard::BoardState& state) {
        const auto stepped = NextAutoGear(state);
        vboard::BoardItem* gear = state.Find(vboard::kAutoGearItem);
        if (!stepped || *stepped == gear->value)
            return false;
        gear->value = *stepped;
        return true;
    });
}

DWORD WINAPI Run(void*)
{
    // The clock waits for most of its life, in every process that loads
    // the library.
    ReleaseUnusedStack();
    std::string path;
    std::unique_ptr<vboard::StateChangeWatch> watch;
    vboard::BoardState seen;
    bool stale = true;
    ULONGLONG lastStep = 0;
    for (;;) {
        try {
            // The state named now: a test program may name a new one.
            vboard::BoardStore store;
            if (store.Path() != path) {
                path = store.Path();
                watch = std::make_unique<vboard::StateChangeWatch>(path);
                stale = true;
            }
            if (stale) {
                watch->Rearm();
                store.Read(seen);
            }
            DWORD wait = INFINITE;
            if (RunsAuto(seen)) {
                const DWORD period = PeriodOf(seen);
                const ULONGLONG now = GetTickCount64();
                if (now - lastStep >= period) {
                    StepAutoGear(store, seen);
                    lastStep = now;
                }
                wait = DWORD(lastStep + period - now);
            }
            if (watch->Watching()) {
                if (WaitForStopOr(watch.get(), wait, stale))
                    return 0;
                continue;
            }
            // Without change notifications every period reads the state.
            if (WaitForStopOr(nullptr, wait == INFINITE ? PeriodOf(seen) : wait, stale))
                return 0;
        } catch (...) {
            // A period that fails (state briefly unreadable) is simply skipped.
            if (WaitForStopOr(nullptr, kDefaultPeriodMs, stale))
                return 0;
        }
        stale = true;
    }
}

// Ends the clock and waits for its thread. Run by exit() on the main thread.
void __cdecl StopClock()
{
    Clock& clock = TheClock();
    SetEvent(clock.stop.Get());
    WaitForSingleObject(clock.thread.Get(), kStopWaitMs);
}

// exit() runs the process's C runtime exit list first and only then
// ExitProcess, which ends the other threads abruptly before this library's
// own exit code runs. A thread ended that way may hold a lock or be half
// way through a system call, and under Wine ending a busy thread at exit
// can crash the process; so the clock ends itself from the process's exit
// list. A process that ends without exit() still ends it abruptly.
void StopAtProcessExit()
{
    using AtExit = int(__cdecl*)(void(__cdecl*)());
    const HMODULE runtime = GetModuleHandleA("msvcrt.dll");
    const FARPROC found = runtime ? GetProcAddress(runtime, "atexit") : nullptr;
    if (found)
        reinterpret_cast<AtExit>(reinterpret_cast<void*>(found))(StopClock);
}

void PinThisModule()
{
    // The thread runs code of this library: it must never be unloaded.
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCSTR>(&Run), &self);
}
} // namespace

void StartFirmwareClock()
{
    static std::once_flag started;
    std::call_once(started, [] {
        PinThisModule();
        Clock& clock = TheClock();
        if (!clock.stop)
            return;
        clock.thread = vboard::Handle(CreateThread(nullptr, 0, Run, nullptr, 0, nullptr));
        if (clock.thread)
            StopAtProcessExit();
    });
}

} // namespace tamsel
