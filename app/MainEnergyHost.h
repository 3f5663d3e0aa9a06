#pragma once
// The energy display's view of the running program: the power monitor's
// accounts, the graphics-boost adapter, the VGA form behind the dialog
// service, and the main window's skin.

#include "screens/energy/EnergyDisplayHost.h"

class MainSkin;

class MainEnergyHost : public energy::EnergyDisplayHost {
public:
    explicit MainEnergyHost(MainSkin& skin) : skin_(skin) {}

    energy::EnergyReadings Readings() override;
    void ClearCumulative() override;
    bool IsGraphicsBoostPresent() override;
    void ShowVgaForm() override;
    void BackgroundChanged() override;

private:
    MainSkin& skin_;
};
