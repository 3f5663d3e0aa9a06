#pragma once
// The process-wide facade of the nap library: sound and screen switches
// for the black screen, and BIOS item access for the fan-settings library.

#include "kelp/vantor/DozlaLibImp.h"

#include <cstdint>
#include <memory>

namespace kelp {

class DozlaLib {
public:
    static DozlaLib& Instance(); // over Dozla.dll, created on first use

    explicit DozlaLib(std::unique_ptr<DozlaLibImp> imp) : m_imp(std::move(imp)) {}
    DozlaLib(const DozlaLib&) = delete;
    DozlaLib& operator=(const DozlaLib&) = delete;

    DozlaLibImp& Imp() { return *m_imp; }

    void Mute() { m_imp->Mute(); }
    void Unmute() { m_imp->Unmute(); }
    void ScreenOff() { m_imp->ScreenOff(); }
    void ScreenOn() { m_imp->ScreenOn(); }
    bool IsVentryThreeSupported() { return m_imp->IsVentryThreeSupported(); }
    bool GetItem(uint32_t id, uint32_t& value) { return m_imp->GetItem(id, value); }
    bool SetItem(uint32_t id, uint32_t value) { return m_imp->SetItem(id, value); }
    bool IsItemSupported(uint32_t id) { return m_imp->IsItemSupported(id); }

private:
    std::unique_ptr<DozlaLibImp> m_imp;
};

} // namespace kelp
