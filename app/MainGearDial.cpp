#include "app/MainGearDial.h"

#include "app/Edition.h"
#include "app/MainDialHost.h"
#include "app/MainForm.h"

geardial::GearDial& MainGearDial(TMainForm& window)
{
    static MainDialHost host([&window] { window.CancelStartupRestore(); });
    static geardial::GearDial dial(window, host, ResourceFolder());
    return dial;
}
