#pragma once
// The hard-disk spin-down library VtSpindownTimeout.dll, loaded from the
// executable's folder. Without the library or its setter nothing happens.

#include "hw/LoadedModule.h"

#include <cstdint>
#include <string>

namespace kelp {

class SpindownTimeout {
public:
    static SpindownTimeout& Instance();

    // Loads the library from `folder` (ending in '\\'); reports a missing
    // library or export.
    explicit SpindownTimeout(const std::string& folder);
    SpindownTimeout(const SpindownTimeout&) = delete;
    SpindownTimeout& operator=(const SpindownTimeout&) = delete;

    void SetSpindownTimeout(uint32_t value);

private:
    using Function = uint8_t(__stdcall*)(uint32_t* value);

    LoadedModule m_module;
    Function m_get = nullptr; // resolved with the setter; the program never reads the time back
    Function m_set = nullptr;
};

} // namespace kelp
