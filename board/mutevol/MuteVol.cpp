// mutevol.dll: mutes the default audio output through Core Audio. Without
// an output device (a machine without sound) the call succeeds and
// changes nothing. The request is recorded as the board knob mutevol_mute.

#include "board/core/BoardStore.h"
#include "framework/system/Trace.h"

#include <windows.h>

#include <endpointvolume.h>
#include <mmdeviceapi.h>

#include <cstdint>
#include <string>

namespace {
template <typename Interface> class ComPointer {
public:
    ComPointer() = default;
    ~ComPointer()
    {
        if (m_pointer)
            m_pointer->Release();
    }
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;
    Interface** Out() { return &m_pointer; }
    Interface* operator->() const { return m_pointer; }

private:
    Interface* m_pointer = nullptr;
};

void Record(bool mute)
{
    try {
        vboard::BoardStore().Update([=](vboard::BoardState& state) {
            state.knobs["mutevol_mute"] = std::to_string(mute ? 1 : 0);
            return true;
        });
    } catch (...) {
    }
}

// False only when an existing device refuses the change.
bool SetEndpointMute(bool mute)
{
    HRESULT init = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    bool ok = true;
    {
        ComPointer<IMMDeviceEnumerator> devices;
        ComPointer<IMMDevice> speakers;
        ComPointer<IAudioEndpointVolume> volume;
        HRESULT result = CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL,
                                          __uuidof(IMMDeviceEnumerator), reinterpret_cast<void**>(devices.Out()));
        if (SUCCEEDED(result))
            result = devices->GetDefaultAudioEndpoint(eRender, eConsole, speakers.Out());
        if (FAILED(result)) {
            Trace("~~~[mutevol] no default audio output (0x%08lX), mute %d skipped", result, mute);
        } else if (FAILED(result = speakers->Activate(__uuidof(IAudioEndpointVolume), CLSCTX_ALL, nullptr,
                                                     reinterpret_cast<void**>(volume.Out())))) {
            Trace("~~~[mutevol] audio output has no volume control (0x%08lX)", result);
        } else {
            ok = SUCCEEDED(volume->SetMute(mute, nullptr));
        }
    }
    if (SUCCEEDED(init))
        CoUninitialize();
    return ok;
}
} // namespace

extern "C" uint8_t __stdcall VISTA_SetMute(uint32_t mute)
{
    Record(mute != 0);
    return SetEndpointMute(mute != 0) ? 1 : 0;
}
