#include "board/tamsel/FirmwareClock.h"

#include "board/core/BoardStore.h"
#include "board/tamsel/CpuLoadMeter.h"
#include "board/tamsel/GearFirmware.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <mutex>

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
    // The period is read in the same board access as the tick, so an idle
    // board costs one lock and one read of the state per period.
    DWORD period = kDefaultPeriodMs;
    vboard::BoardStore().Update([&period](vboard::BoardState& state) {
        period = PeriodOf(state);
        unsigned load = state.Knob("tamsel_cpu_load") ? state.KnobWord("tamsel_cpu_load", 0)
                                                      : CpuLoadMeter::Instance().Sample();
        const auto readings = [&state] {
            uint32_t values[3] = {};
            const uint32_t ids[3] = {kCpuCurrentItem, kCpuPowerItem, kAutoGearItem};
            for (int i = 0; i < 3; ++i)
                if (const vboard::BoardItem* item = state.Find(ids[i]))
                    values[i] = item->value;
            return std::to_array(values);
        };
        const auto before = readings();
        Sense(state, load);
        // Only a changed reading is written back to the shared state.
        return readings() != before;
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
