#pragma once
// The gear dial's view of the running program: the mode engine, the power
// monitor, the settings store, the power-gear and fan libraries and the
// message dialogs.

#include "screens/geardial/GearDialHost.h"

#include <functional>

class MainDialHost : public geardial::GearDialHost {
public:
    explicit MainDialHost(std::function<void()> stopStartupRestore);

    int CurrentLevel() override;
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

private:
    std::function<void()> stopStartupRestore_;
};
