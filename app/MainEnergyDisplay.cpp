#include "app/MainEnergyDisplay.h"

#include "app/Edition.h"
#include "app/MainEnergyHost.h"
#include "app/MainForm.h"
#include "app/MainHistory.h"

energy::EnergyDisplay& MainEnergyDisplay(TMainForm& window, TForm& cpuForm)
{
    static MainEnergyHost host(window.Skin());
    static energy::EnergyDisplay display(window, cpuForm, host, ResourceFolder(),
                                         {&window.Dial().GearMarker(), &window.Dial().Chart()});
    static const bool historyAttached = (AttachHistoryButton(window), true);
    (void)historyAttached;
    return display;
}
