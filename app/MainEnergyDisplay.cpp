#include "app/MainEnergyDisplay.h"

#include "app/Edition.h"
#include "app/MainEnergyHost.h"
#include "app/MainForm.h"

energy::EnergyDisplay& MainEnergyDisplay(TMainForm& window, TForm& cpuForm)
{
    static MainEnergyHost host(window.Skin());
    static energy::EnergyDisplay display(window, cpuForm, host, ResourceFolder(),
                                         {&window.Dial().GearMarker(), &window.Dial().Chart()});
    return display;
}
