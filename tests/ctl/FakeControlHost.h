#pragma once
// A scripted view of the running program for the control requests: the
// facts the refusals look at, what the mode engine was asked for, and a
// savings history to read.

#include "app/ConsoleControl.h"

#include <set>

namespace ctltest {

class FakeHost : public ControlHost {
public:
    bool autoByBios = true, tweakDisabled = false, calibrationNeeded = false, thresholds = true;
    bool overclocked = false, conflicting = false, dialog = false, settled = true;
    int level = 0;
    int applied = -1;  // what the mode engine was asked for
    bool restoreStopped = false;
    int refreshes = 0;
    int calibrationResult = 1;
    bool cancelled = false;
    std::set<int> managedLevels;  // what the policies refuse
    bool calibrationManaged = false;

    bool IsAutoAllowedByBios() override { return autoByBios; }
    bool IsTweakDisabled() override { return tweakDisabled; }
    bool IsCalibrationNeeded() override { return calibrationNeeded; }
    bool HasValidThresholds() override { return thresholds; }
    int CurrentLevel() override { return level; }
    int RunningAutoGear() override { return 3; }
    bool IsOverclocked() override { return overclocked; }
    bool IsConflictingUtilityRunning() override { return conflicting; }
    bool IsDialogShown() override { return dialog; }
    void FillReadings(kelp::control::Status& status) override { status.cpuPowerW = 40; }
    bool MayChoose(int newLevel) override { return !managedLevels.count(newLevel); }
    bool IsCalibrationManaged() override { return calibrationManaged; }
    void StopStartupRestore() override { restoreStopped = true; }
    void SetMode(int newLevel) override { applied = newLevel; }
    bool IsModeSettled() override { return settled; }
    void RefreshModeDisplay() override { ++refreshes; }
    int RunCalibration() override { return calibrationResult; }
    void CalibrationProgress(uint32_t& step, uint32_t& steps) override
    {
        step = 301;
        steps = 300;
    }
    void CancelCalibration() override { cancelled = true; }
    const history::SavingsHistory& History() override { return savings; }

    history::SavingsHistory savings;
};

} // namespace ctltest
