// Tamsel.dll, the board's power-gear library: gear levels, gear-related
// BIOS items and the board's feature answers. Every call works on the
// shared board state under the board lock, so any number of threads and
// processes may call at once. Byte results: 1 success, 0 failure.

#include "board/core/BoardStore.h"
#include "board/core/Faults.h"
#include "board/core/ItemAccess.h"
#include "board/tamsel/FirmwareClock.h"
#include "board/tamsel/GearFirmware.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>

namespace {
using vboard::BoardState;
using vboard::BoardStore;

// No C++ exception may cross the library boundary: a failure is a 0 result.
template <typename Call> uint8_t Guarded(Call call)
{
    try {
        return call() ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

// A look at the state for a read-only answer: the state is seen in place,
// sparing a copy of every item on each call. False only when the board lock
// cannot be taken; `look` may throw, which the caller's guard turns into a
// failure.
template <typename Look> bool LookAtState(Look look)
{
    return BoardStore().Inspect(look);
}

// An item read, subject to the board's fault knobs.
bool ReadBoardItem(uint32_t id, uint32_t* value)
{
    bool read = false;
    return value && LookAtState([&](const BoardState& state) {
        read = !vboard::ReadFails(state, id) && vboard::ReadItem(state, id, *value);
    }) && read;
}

// An item write under the board lock, subject to the board's fault knobs.
bool WriteBoardItem(uint32_t id, uint32_t value)
{
    return BoardStore().Update([=](BoardState& state) {
        return !vboard::WriteFails(state, id) && tamsel::WriteGearItem(state, id, value);
    });
}

// A feature answer of the board: its knob, or the board family's default.
uint32_t FeatureKnob(const char* name, uint32_t fallback)
{
    try {
        uint32_t answer = 0;
        LookAtState([&](const BoardState& state) { answer = state.KnobWord(name, fallback); });
        return answer;
    } catch (...) {
        return 0;
    }
}

// Reads one value of the state into *out.
template <typename Read> uint8_t Answer(uint32_t* out, Read read)
{
    return Guarded([=] { return out && LookAtState([=](const BoardState& state) { *out = read(state); }); });
}

bool ChangeLevel(uint32_t id, uint32_t level)
{
    if (!tamsel::IsAcceptedLevel(level))
        return false;
    DWORD delay = 0;
    if (!LookAtState([&](const BoardState& state) { delay = state.KnobWord("tamsel_set_level_delay_ms", 0); }))
        return false;
    // A level change takes the firmware a while on some boards.
    if (delay)
        Sleep(delay);
    return WriteBoardItem(id, level);
}
} // namespace

extern "C" {

uint8_t __stdcall TamselInit()
{
    return Guarded([] {
        if (!LookAtState([](const BoardState&) {}))
            return false;
        tamsel::StartFirmwareClock();
        return true;
    });
}

uint8_t __stdcall TamselGetLevel(uint32_t* level)
{
    return Guarded([=] { return ReadBoardItem(tamsel::kGearLevelItem, level); });
}

uint8_t __stdcall TamselSetLevel(uint32_t level)
{
    return Guarded([=] { return ChangeLevel(tamsel::kGearLevelItem, level); });
}

uint8_t __stdcall TamselIsSupport(uint32_t* supported)
{
    return Answer(supported, [](const BoardState& state) { return state.KnobWord("tamsel_supported", 1); });
}

uint8_t __stdcall TamselCheckOC(uint32_t* overclocked)
{
    return Guarded([=] {
        bool answered = false;
        return overclocked && LookAtState([&](const BoardState& state) {
            answered = !state.KnobWord("tamsel_check_oc_fails", 0);
            if (answered)
                *overclocked = tamsel::IsOverclocked(state) ? 1 : 0;
        }) && answered;
    });
}

uint8_t __stdcall TamselCheckReboot(uint32_t, uint32_t* needed)
{
    return Answer(needed, [](const BoardState& state) { return state.KnobWord("tamsel_reboot", 0); });
}

uint32_t __stdcall IsDozlaSupported() { return FeatureKnob("tamsel_dozla", 1); }
uint32_t __stdcall IsFanControlSupported() { return FeatureKnob("tamsel_fan_control", 1); }
uint32_t __stdcall IsBroskSupported() { return FeatureKnob("tamsel_brosk", 0); }
uint32_t __stdcall IsBroskTwoSupported() { return FeatureKnob("tamsel_brosk_two", 0); }
uint32_t __stdcall IsBroskThreeSupported() { return FeatureKnob("tamsel_brosk_three", 0); }
uint32_t __stdcall IsFarcallSupported() { return FeatureKnob("tamsel_farcall", 0); }
uint32_t __stdcall IsNitrelSupported() { return FeatureKnob("tamsel_nitrel", 0); }
uint32_t __stdcall IsThermostatSupported() { return FeatureKnob("tamsel_thermostat", 0); }
uint32_t __stdcall IsTamselTwoSupported() { return FeatureKnob("tamsel_two", 1); }
uint32_t __stdcall IsVentryThreeSupported() { return FeatureKnob("tamsel_ventry_three", 1); }
uint32_t __stdcall TamselButtonEnable() { return FeatureKnob("tamsel_button", 1); }

uint32_t __stdcall TamselGetItem(uint32_t id, uint32_t* value)
{
    return Guarded([=] { return ReadBoardItem(id, value); });
}

uint32_t __stdcall TamselSetItem(uint32_t id, uint32_t value)
{
    return Guarded([=] {
        if (id == tamsel::kGearLevelItem)
            return ChangeLevel(id, value);
        return WriteBoardItem(id, value);
    });
}

uint32_t __stdcall SetItemEx(uint32_t id, uint32_t first, uint32_t second)
{
    return Guarded([=] {
        return BoardStore().Update([=](BoardState& state) {
            return !vboard::WriteFails(state, id) && vboard::WriteItem(state, id, first, second);
        });
    });
}

uint8_t __stdcall IsItemSupported(uint32_t id)
{
    return Guarded([=] {
        bool found = false;
        return LookAtState([&](const BoardState& state) { found = state.Find(id) != nullptr; }) && found;
    });
}

// Text `index` of a string item (or extra string of a number item) into
// the buffer, cut to its size.
uint32_t __stdcall GetStringList(uint32_t id, uint32_t index, char* buffer, uint32_t size)
{
    return Guarded([=] {
        bool copied = false;
        return buffer && size != 0 && LookAtState([&](const BoardState& state) {
            const vboard::BoardItem* item = state.Find(id);
            if (!item || index >= item->texts.size())
                return;
            const std::string& text = item->texts[index];
            const size_t length = std::min<size_t>(text.size(), size - 1);
            std::memcpy(buffer, text.data(), length);
            buffer[length] = '\0';
            copied = true;
        }) && copied;
    });
}

uint32_t __stdcall GetItemDefaultValue(uint32_t id, uint32_t* value)
{
    return Answer(value, [=](const BoardState& state) {
        const vboard::BoardItem* item = state.Find(id);
        if (!item)
            throw std::out_of_range("unknown item");
        return item->defaultValue;
    });
}

uint8_t __stdcall GetItemInformation(uint32_t id, unsigned char* record)
{
    return Guarded([=] {
        bool described = false;
        return record &&
               LookAtState([&](const BoardState& state) { described = tamsel::DescribeItem(state, id, record); }) &&
               described;
    });
}

} // extern "C"
