#include "app/MainEnergyDisplay.h"

#include "app/Edition.h"
#include "app/MainEnergyHost.h"
#include "app/MainForm.h"

energy::EnergyDisplay& MainEnergyDisplay(TMainForm& window, TForm& cpuForm)
{
    static MainEnergyHost host(window.Skin());
    static geardial::GearDial& dial = window.Dial();
    static energy::EnergyDisplay display(window, cpuForm, host, ResourceFolder(),
                                         {&dial.GearMarker(), &dial.Chart()});
    return display;
}
