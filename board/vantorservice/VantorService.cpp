// VANTORSERVICE.DLL: the system service's client registry. A window
// registers under a client identifier to receive the service's notices.
// The board remembers the registration (knobs vantorservice_window and
// vantorservice_client) and counts every attempt (vantorservice_attempts).
// The knob vantorservice_refusals = N makes the next N registrations fail,
// as when the service has not started yet.

#include "board/core/BoardStore.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace {
constexpr const char* kWindowKnob = "vantorservice_window";
constexpr const char* kClientKnob = "vantorservice_client";
constexpr const char* kAttemptsKnob = "vantorservice_attempts";
constexpr const char* kRefusalsKnob = "vantorservice_refusals";

std::string Utf8(const wchar_t* text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string result(size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, result.data(), size, nullptr, nullptr);
    result.resize(size_t(size - 1));
    return result;
}

std::string WindowText(HWND window)
{
    return std::to_string(uintptr_t(window));
}

// Runs `change` on the board state; any failure of the board counts as a
// refusal of the service.
template <typename Change> BOOL Serve(Change change)
{
    try {
        return vboard::BoardStore().Update(change) ? TRUE : FALSE;
    } catch (...) {
        return FALSE;
    }
}
} // namespace

extern "C" {

BOOL __stdcall VtSysSvr_RegisterNotify(HWND window, const wchar_t* clientId)
{
    if (!window || !clientId || !*clientId)
        return FALSE;
    const std::string client = Utf8(clientId);
    bool refused = false;
    const BOOL recorded = Serve([&](vboard::BoardState& state) {
        state.knobs[kAttemptsKnob] = std::to_string(state.KnobWord(kAttemptsKnob, 0) + 1);
        if (const uint32_t refusals = state.KnobWord(kRefusalsKnob, 0)) {
            state.knobs[kRefusalsKnob] = std::to_string(refusals - 1);
            refused = true;
            return true;
        }
        state.knobs[kWindowKnob] = WindowText(window);
        state.knobs[kClientKnob] = client;
        return true;
    });
    return recorded && !refused;
}

BOOL __stdcall VtSysSvr_UnregisterNotify(HWND window, const wchar_t* clientId)
{
    if (!window || !clientId)
        return FALSE;
    const std::string client = Utf8(clientId);
    return Serve([&](vboard::BoardState& state) {
        const auto registered = state.Knob(kWindowKnob);
        if (!registered || *registered != WindowText(window) || state.Knob(kClientKnob) != client)
            return false;
        state.knobs.erase(kWindowKnob);
        state.knobs.erase(kClientKnob);
        return true;
    });
}

} // extern "C"
