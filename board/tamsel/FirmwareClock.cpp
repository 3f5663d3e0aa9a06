#include "board/tamsel/FirmwareClock.h"

#include "board/core/BoardStore.h"
#include "board/tamsel/CpuLoadMeter.h"
#include "board/tamsel/GearFirmware.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <optional>

namespace tamsel {

namespace {
constexpr DWORD kDefaultPeriodMs = 500;
constexpr DWORD kMinimumPeriodMs = 50;

DWORD PeriodOf(const vboard::BoardState& state)
{
    return std::max<DWORD>(state.KnobWord("tamsel_tick_ms", kDefaultPeriodMs), kMinimumPeriodMs);
}

DWORD WINAPI Run(void* firstPeriod)
{
    DWORD period = DWORD(reinterpret_cast<uintptr_t>(firstPeriod));
    for (;;) {
        Sleep(period);
        try {
            period = FirmwareTick();
        } catch (...) {
            // A tick that fails (state briefly unreadable) is simply skipped.
        }
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

unsigned long FirmwareTick()
{
    // Most periods change nothing: the state is first only looked at, with
    // no copy, and read for a change and written only when a reading moves.
    // The period comes from the same look.
    vboard::BoardStore store;
    DWORD period = kDefaultPeriodMs;
    std::optional<unsigned> sampled;
    const auto load = [&sampled](const vboard::BoardState& state) {
        if (state.Knob("tamsel_cpu_load"))
            return unsigned(state.KnobWord("tamsel_cpu_load", 0));
        if (!sampled)
            sampled = CpuLoadMeter::Instance().Sample();
        return *sampled;
    };
    bool unchanged = false;
    store.Inspect([&](const vboard::BoardState& state) {
        period = PeriodOf(state);
        unchanged = SensedReadings(state, load(state)) == CurrentReadings(state);
    });
    if (unchanged)
        return period;
    store.Update([&](vboard::BoardState& state) {
        period = PeriodOf(state);
        const SensorReadings readings = SensedReadings(state, load(state));
        if (readings == CurrentReadings(state))
            return false;
        StoreReadings(state, readings);
        return true;
    });
    return period;
}

void StartFirmwareClock(unsigned long firstPeriod)
{
    static std::once_flag started;
    std::call_once(started, [firstPeriod] {
        PinThisModule();
        CpuLoadMeter::Instance();
        void* argument = reinterpret_cast<void*>(uintptr_t(firstPeriod));
        if (HANDLE thread = CreateThread(nullptr, 0, Run, argument, 0, nullptr))
            CloseHandle(thread);
    });
}

} // namespace tamsel
