#pragma once
// The load-generator library Strainel.dll beside the executable: starts and
// stops a synthetic processor load for calibration. A library or export that
// is missing is reported once, when the object is created; calls through a
// missing export then do nothing and report failure.

#include "hw/LoadedModule.h"

#include <cstdint>
#include <string>

class CalibrateLib {
public:
    // Created on first use from the executable's folder.
    static CalibrateLib& Instance();

    // Loads <folder>Strainel.dll ("Can not load Strainel.dll" or "Can not
    // GetProcAddress failed", caption "Tamsel3", when that fails).
    explicit CalibrateLib(const std::string& folder);
    CalibrateLib(const CalibrateLib&) = delete;
    CalibrateLib& operator=(const CalibrateLib&) = delete;

    bool IsLoaded() const { return start_primary_ && start_burn_ && stop_; }

    // Results: true when the library reports success.
    bool StartCalibrateWithPrimary(int32_t kind);
    bool StartCalibrateWithCpuBurn(int32_t threads);
    bool StopCalibrate();

private:
    using StartFunction = int32_t(__stdcall*)(int32_t);
    using StopFunction = int32_t(__stdcall*)();

    kelp::LoadedModule module_;
    StartFunction start_primary_ = nullptr;
    StartFunction start_burn_ = nullptr;
    StopFunction stop_ = nullptr;
};
