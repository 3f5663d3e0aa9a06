#include "board/tamsel/FirmwareClock.h"

#include "board/core/BoardStore.h"
#include "board/core/StateChangeWatch.h"
#include "board/tamsel/GearFirmware.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <string>

namespace tamsel {

namespace {
constexpr DWORD kDefaultPeriodMs = 500;
constexpr DWORD kMinimumPeriodMs = 50;

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
                stale = watch->Wait(wait);
                continue;
            }
            // Without change notifications every period reads the state.
            Sleep(wait == INFINITE ? PeriodOf(seen) : wait);
        } catch (...) {
            // A period that fails (state briefly unreadable) is simply skipped.
            Sleep(kDefaultPeriodMs);
        }
        stale = true;
    }
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
        if (HANDLE thread = CreateThread(nullptr, 0, Run, nullptr, 0, nullptr))
            CloseHandle(thread);
    });
}

} // namespace tamsel
