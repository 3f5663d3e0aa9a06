// VtSpindownTimeout.dll: the hard-disk spin-down time, in seconds, set in
// the active power scheme for mains and battery through the system's power
// settings. Where the system lacks them the call changes nothing and says
// why in a trace. The last value set is recorded as the board knob
// spindown_timeout.

#include "board/core/BoardStore.h"
#include "framework/system/Trace.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace {
// The disk idle setting: subgroup and setting of the power scheme.
const GUID kDiskSubgroup = {0x0012ee47, 0x9041, 0x4b5d, {0x9b, 0x77, 0x53, 0x5f, 0xba, 0x8b, 0x14, 0x42}};
const GUID kDiskIdle = {0x6738e2c4, 0xe8a5, 0x4a42, {0xb1, 0x6a, 0xe0, 0x40, 0xe7, 0x69, 0x75, 0x6e}};

using GetActive = DWORD(WINAPI*)(HKEY, GUID**);
using WriteIndex = DWORD(WINAPI*)(HKEY, const GUID*, const GUID*, const GUID*, DWORD);
using SetActive = DWORD(WINAPI*)(HKEY, const GUID*);

// The system's power settings, loaded once: loading the library on every
// call cost more than the rest of a mode change.
struct PowerSettings {
    HMODULE module = LoadLibraryA("powrprof.dll");
    GetActive getActive = Resolve<GetActive>("PowerGetActiveScheme");
    WriteIndex writeAc = Resolve<WriteIndex>("PowerWriteACValueIndex");
    WriteIndex writeDc = Resolve<WriteIndex>("PowerWriteDCValueIndex");
    SetActive setActive = Resolve<SetActive>("PowerSetActiveScheme");

    template <typename Function> Function Resolve(const char* name) const
    {
        return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
    }
};

bool ApplyToPowerScheme(uint32_t seconds)
{
    // Stays loaded for the life of the process, like any library it imports.
    static const PowerSettings power;
    if (!power.module) {
        Trace("~~~[Spindown] no power settings on this system, spin-down unchanged");
        return false;
    }
    bool applied = false;
    GUID* scheme = nullptr;
    if (!power.getActive || !power.writeAc || !power.writeDc || !power.setActive) {
        Trace("~~~[Spindown] power settings lack the scheme calls, spin-down unchanged");
    } else if (DWORD error = power.getActive(nullptr, &scheme); error != ERROR_SUCCESS) {
        Trace("~~~[Spindown] no active power scheme (%lu), spin-down unchanged", error);
    } else {
        applied = power.writeAc(nullptr, scheme, &kDiskSubgroup, &kDiskIdle, seconds) == ERROR_SUCCESS &&
                  power.writeDc(nullptr, scheme, &kDiskSubgroup, &kDiskIdle, seconds) == ERROR_SUCCESS &&
                  power.setActive(nullptr, scheme) == ERROR_SUCCESS;
        if (!applied)
            Trace("~~~[Spindown] the power scheme refused spin-down %u s", unsigned(seconds));
        LocalFree(scheme);
    }
    return applied;
}

void Record(uint32_t seconds)
{
    try {
        // A value already recorded leaves the state alone without encoding
        // it again to find that out.
        vboard::BoardStore().Update([=](vboard::BoardState& state) {
            std::string& recorded = state.knobs["spindown_timeout"];
            const std::string text = std::to_string(seconds);
            if (recorded == text)
                return false;
            recorded = text;
            return true;
        });
    } catch (...) {
    }
}

uint32_t Recorded()
{
    vboard::BoardState state;
    return vboard::BoardStore().Read(state) ? state.KnobWord("spindown_timeout", 0) : 0;
}
} // namespace

extern "C" {

uint8_t __stdcall VtGetSpindownTimeout(uint32_t* seconds)
{
    if (!seconds)
        return 0;
    *seconds = Recorded();
    return 1;
}

uint8_t __stdcall VtSetSpindownTimeout(uint32_t* seconds)
{
    if (!seconds)
        return 0;
    Record(*seconds);
    ApplyToPowerScheme(*seconds);
    return 1;
}

} // extern "C"
