#pragma once
// The gear dial's view of the running program: the mode engine, the power
// monitor, the settings store, the power-gear and fan libraries, the
// message dialogs and the advanced-settings form.

#include "screens/geardial/GearDialHost.h"

#include <functional>

class MainDialHost : public geardial::GearDialHost {
public:
    explicit MainDialHost(std::function<void()> stopStartupRestore);

    int CurrentLevel() override;
    bool MayChoose(int level) override;
    void SetMode(int level) override;
    void StopStartupRestore() override;
    bool IsAutoAllowedByBios() override;
    bool IsTweakDisabled() override;
    bool IsCalibrationNeeded() override;
    bool HasValidThresholds() override;
    int RunningAutoGear() override;
    geardial::LampFacts LampFactsFor(int level) override;
    int Notice(const std::string& text) override;
    int ConfirmTweak() override;
    int OfferCalibration(CalibrationOffer offer) override;
    void ShowCover(bool shown) override;
    int ShowAdvancedSettings() override;
    int ConfirmChangeSetting() override;
    void SaveAdvancedSettings() override;
    void FinishAdvancedSettings(bool calibrationRequired) override;

private:
    std::function<void()> stopStartupRestore_;
};
