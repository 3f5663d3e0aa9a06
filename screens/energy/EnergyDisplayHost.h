#pragma once
// What the energy display asks of the rest of the program: the power
// monitor's accounts, the graphics-boost software, the VGA form and the
// main window's outline.

namespace energy {

struct EnergyReadings {
    double boardPower = 0;  // watts
    // Watt-hours saved since the first start and since the last reset.
    double boardTotal = 0;
    double boardCumulative = 0;
    double vgaTotal = 0;
    double vgaCumulative = 0;
    // The emission avoided per watt-hour saved, in milligrams of CO2: the
    // local grid's when the user gave it.
    double co2PerWattHour = 615;
};

class EnergyDisplayHost {
public:
    virtual ~EnergyDisplayHost() = default;

    virtual EnergyReadings Readings() = 0;
    // Both accounts start counting the current period from 0.
    virtual void ClearCumulative() = 0;
    // The board's graphics boost and its software are both there.
    virtual bool IsGraphicsBoostPresent() = 0;
    virtual void ShowVgaForm() = 0;
    // The main window's background picture changed its size; the window's
    // size and outline follow it.
    virtual void BackgroundChanged() = 0;
};

} // namespace energy
