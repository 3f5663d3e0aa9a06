// Dozla.dll, the nap library: BIOS item access and the gear level over the
// virtual board, the nap switches recorded in the board state, and the real
// screen and sound switches where the system offers them.
//
// Knobs: dozla_supported, dozla_reboot, dozla_hushro, dozla_tamsel,
// dozla_is, dozla_thermostat, dozla_ventry_three (the answers), and the
// recorded dozla_initialised, dozla_enabled, dozla_sleeping, dozla_sound,
// dozla_screen.

#include "board/core/BoardStore.h"
#include "board/core/ItemAccess.h"
#include "board/dozla/SavedVolumes.h"
#include "framework/system/Trace.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <string>

namespace {
using vboard::BoardState;
using vboard::BoardStore;

constexpr uint32_t kGearLevelItem = 0x0B060001;

template <typename Call> uint8_t Guarded(Call call)
{
    try {
        return call() ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

uint32_t Knob(const char* name, uint32_t fallback)
{
    BoardState state;
    return BoardStore().Read(state) ? state.KnobWord(name, fallback) : fallback;
}

// Answers a yes/no question through *value (1 = yes).
uint8_t Answer(uint32_t* value, const char* knob, uint32_t fallback)
{
    return Guarded([=] {
        if (!value)
            return false;
        *value = Knob(knob, fallback);
        return true;
    });
}

void Record(const char* knob, uint32_t value)
{
    try {
        BoardStore().Update([=](BoardState& state) {
            state.knobs[knob] = std::to_string(value);
            return true;
        });
    } catch (...) {
    }
}

HWAVEOUT WaveOut(UINT device)
{
    return reinterpret_cast<HWAVEOUT>(uintptr_t(device));
}

vboard::SavedVolumes& WaveOutVolumes()
{
    static vboard::SavedVolumes volumes(
        [](UINT device, DWORD& volume) { return waveOutGetVolume(WaveOut(device), &volume) == MMSYSERR_NOERROR; },
        [](UINT device, DWORD volume) { waveOutSetVolume(WaveOut(device), volume); });
    return volumes;
}

// Mute by silencing every wave-out device; without one there is nothing
// to switch.
void SwitchSound(bool on)
{
    UINT devices = waveOutGetNumDevs();
    if (devices == 0) {
        Trace("~~~[Dozla] no audio output device, sound %s skipped", on ? "on" : "off");
        return;
    }
    vboard::SavedVolumes& volumes = WaveOutVolumes();
    for (UINT device = 0; device < devices; ++device) {
        if (on)
            volumes.Restore(device);
        else
            volumes.Silence(device);
    }
}

// The system's monitor power command to every top-level window.
void SwitchScreen(bool on)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(HWND_BROADCAST, WM_SYSCOMMAND, SC_MONITORPOWER, on ? -1 : 2, SMTO_ABORTIFHUNG, 1000,
                             &result))
        Trace("~~~[Dozla] monitor power %s not delivered (%lu)", on ? "on" : "off", GetLastError());
}
} // namespace

extern "C" {

uint8_t __stdcall DozlaInit() { return Record("dozla_initialised", 1), 1; }
uint8_t __stdcall DozlaIsSupport(uint32_t* value) { return Answer(value, "dozla_supported", 1); }
uint8_t __stdcall DozlaCheckReboot(uint32_t* value) { return Answer(value, "dozla_reboot", 0); }
uint8_t __stdcall HushroIsSupport(uint32_t* value) { return Answer(value, "dozla_hushro", 0); }
uint8_t __stdcall TamselIsSupport(uint32_t* value) { return Answer(value, "dozla_tamsel", 1); }

uint8_t __stdcall DozlaEnable() { return Record("dozla_enabled", 1), 1; }
uint8_t __stdcall DozlaDisable() { return Record("dozla_enabled", 0), 1; }
uint8_t __stdcall DozlaWake() { return Record("dozla_sleeping", 0), 1; }
uint8_t __stdcall DozlaSleep() { return Record("dozla_sleeping", 1), 1; }

uint8_t __stdcall DozlaSound(uint32_t on)
{
    Record("dozla_sound", on);
    SwitchSound(on != 0);
    return 1;
}

uint8_t __stdcall DozlaScreen(uint32_t on)
{
    Record("dozla_screen", on);
    SwitchScreen(on != 0);
    return 1;
}

uint8_t __stdcall GetLevel(uint32_t* level)
{
    return Guarded([=] {
        BoardState state;
        return level && BoardStore().Read(state) && vboard::ReadItem(state, kGearLevelItem, *level);
    });
}

uint8_t __stdcall SetLevel(uint32_t level)
{
    return Guarded([=] {
        return BoardStore().Update(
            [=](BoardState& state) { return vboard::WriteItem(state, kGearLevelItem, level, vboard::kWritePlain); });
    });
}

uint32_t __stdcall IsDozla() { return Knob("dozla_is", 1); }
uint32_t __stdcall IsThermostatSupported() { return Knob("dozla_thermostat", 0); }
uint32_t __stdcall GetPowerButtonSetting(uint32_t, uint32_t) { return Knob("dozla_power_button", 0); }

uint32_t __stdcall SetPowerButtonSetting(uint32_t setting, uint32_t)
{
    Record("dozla_power_button", setting);
    return 1;
}

uint8_t __stdcall DozlaGetItem(uint32_t id, uint32_t* value)
{
    return Guarded([=] {
        BoardState state;
        return value && BoardStore().Read(state) && vboard::ReadItem(state, id, *value);
    });
}

uint8_t __stdcall DozlaSetItem(uint32_t id, uint32_t value)
{
    return Guarded([=] {
        return BoardStore().Update(
            [=](BoardState& state) { return vboard::WriteItem(state, id, value, vboard::kWritePlain); });
    });
}

uint8_t __stdcall IsItemSupported(uint32_t id)
{
    return Guarded([=] {
        BoardState state;
        return BoardStore().Read(state) && state.Find(id) != nullptr;
    });
}

uint32_t __stdcall IsVentryThreeSupported() { return Knob("dozla_ventry_three", 1); }

} // extern "C"
