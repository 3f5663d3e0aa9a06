#pragma once
// The advanced-settings store: the per-mode tuning records, the balloon-tip
// and run-at-log-on options, the calibration request and the crash guards.
// Records live in memory and are written back by Save(); every other
// operation opens its registry key, does its work and closes it again.

#include "engine/ModeTuning.h"

#include <windows.h>

#include <cstdint>

class AdvanceSettings {
public:
    // The process-wide store, loaded by the first call and never destroyed.
    static AdvanceSettings& Instance();

    // Loads the store from the registry. When the per-mode values are not
    // all there, every record is reset to factory defaults and written back.
    AdvanceSettings();
    AdvanceSettings(const AdvanceSettings&) = delete;
    AdvanceSettings& operator=(const AdvanceSettings&) = delete;

    bool IsBalloonTipsEnabled() const;
    void SetBalloonTipsEnabled(bool enabled);
    bool IsRunAtStartup() const;
    void SetRunAtStartup(bool run);

    // Copies the record of mode index 0-4; false for any other index.
    bool GetTuning(int modeIndex, ModeTuning& tuning) const;
    // Replaces the record of mode index 0-3, re-derives Auto's record and has
    // the mode's hardware values programmed. Auto's record cannot be set and
    // other indices are refused (false). Nothing is saved.
    bool SetTuning(int modeIndex, const ModeTuning& tuning);
    bool SetTuning(int modeIndex, uint32_t fsb, uint32_t gpuFreq, uint32_t vCore, uint32_t loadLine,
                   uint32_t nbVolt, uint32_t idleTimeout, uint32_t spinDown, uint32_t fan);
    // Writes the balloon-tip option and all 40 per-mode values; false when
    // the key cannot be opened or a value cannot be written.
    bool Save();
    // Factory records for every mode, saved and programmed.
    void ResetToDefaults();

    void SetCalibrationNeeded(bool needed);
    void SetCalibrationReason(int reason);
    void RequestCalibration(bool needed, int reason);
    // A phase change since the last calibration, or an explicit request.
    bool IsCalibrationNeeded() const;
    // Requests calibration (reason 1) when the saved calibration profile no
    // longer matches the board's settings.
    void CheckCalibrationProfileAtStart();

    // Gear level of the last mode set; High Performance when none is stored
    // or the stored value is no mode.
    int ReadLastMode() const;
    // Makes the next start restore High Performance.
    void ResetLastMode();

    // Phase item value stored when the last calibration finished.
    void SetPhaseMode(int phase);
    bool ReadPhaseMode(int& phase) const;

    // Crash guards: each is marked (and flushed) before risky work and
    // cleared after it. A query is true when the flag is absent or 0.
    bool IsCheckSafe_FlagClear() const;
    void MarkCheckSafe_Flag();
    void ClearCheckSafe_Flag();
    bool IsCalibration_FlagClear() const;
    void MarkCalibration_Flag();
    void ClearCalibration_Flag();
    bool IsGear_FlagClear() const;
    void MarkGear_Flag();
    void ClearGear_Flag();

private:
    void Load();
    bool LoadRecords();
    ModeTunings Records() const;

    // The mode-change worker reads records while the main thread may set
    // them. An SRW lock needs no destruction, so the store stays trivially
    // destructible and the process-wide instance is never torn down.
    mutable SRWLOCK lock_ = SRWLOCK_INIT;
    bool balloonTipsEnabled_ = true;
    bool runAtStartup_ = true;
    ModeTunings modes_{};
};
