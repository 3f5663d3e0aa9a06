#include "board/tamsel/FirmwareClock.h"

#include "board/core/BoardStore.h"
#include "board/tamsel/CpuLoadMeter.h"
#include "board/tamsel/GearFirmware.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <mutex>

namespace tamsel {

namespace {
constexpr DWORD kDefaultPeriodMs = 500;
constexpr DWORD kMinimumPeriodMs = 50;

DWORD Period()
{
    vboard::BoardState state;
    if (!vboard::BoardStore().Read(state))
        return kDefaultPeriodMs;
    return std::max<DWORD>(state.KnobWord("tamsel_tick_ms", kDefaultPeriodMs), kMinimumPeriodMs);
}

DWORD WINAPI Run(void*)
{
    for (;;) {
        Sleep(Period());
        try {
            FirmwareTick();
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

void FirmwareTick()
{
    vboard::BoardStore().Update([](vboard::BoardState& state) {
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
}

void StartFirmwareClock()
{
    static std::once_flag started;
    std::call_once(started, [] {
        PinThisModule();
        CpuLoadMeter::Instance();
        if (HANDLE thread = CreateThread(nullptr, 0, Run, nullptr, 0, nullptr))
            CloseHandle(thread);
    });
}

} // namespace tamsel
