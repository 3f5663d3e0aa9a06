#pragma once
// The control service's view of the running program: the same monitor,
// settings, dialogs, tray and dial the window and the tray menu use.

#include "app/ConsoleControl.h"
#include "app/MainDialHost.h"

class TMainForm;

class MainControlHost final : public ControlHost {
public:
    explicit MainControlHost(TMainForm& window);

    bool IsAutoAllowedByBios() override { return dial_.IsAutoAllowedByBios(); }
    bool IsTweakDisabled() override { return dial_.IsTweakDisabled(); }
    bool IsCalibrationNeeded() override { return dial_.IsCalibrationNeeded(); }
    bool HasValidThresholds() override { return dial_.HasValidThresholds(); }
    int CurrentLevel() override { return dial_.CurrentLevel(); }
    int RunningAutoGear() override { return dial_.RunningAutoGear(); }
    bool IsOverclocked() override;
    bool IsConflictingUtilityRunning() override;
    bool IsDialogShown() override;
    void FillReadings(kelp::control::Status& status) override;
    bool MayChoose(int level) override { return dial_.MayChoose(level); }
    bool IsCalibrationManaged() override;
    void StopStartupRestore() override { dial_.StopStartupRestore(); }
    void SetMode(int level) override { dial_.SetMode(level); }
    bool IsModeSettled() override;
    void RefreshModeDisplay() override;
    int RunCalibration() override;
    void CalibrationProgress(uint32_t& step, uint32_t& steps) override;
    void CancelCalibration() override;
    const history::SavingsHistory& History() override;

private:
    TMainForm& window_;
    MainDialHost dial_;
};
