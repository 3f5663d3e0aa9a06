#pragma once
// The program's one energy display, on the main window and the CPU form.
// The first call creates it; later calls return it.

#include "screens/energy/EnergyDisplay.h"

class TMainForm;

energy::EnergyDisplay& MainEnergyDisplay(TMainForm& window, TForm& cpuForm);
