#pragma once
// The program's one gear dial, on the main window. The first call creates
// it (reading the dial's artwork) on the given window; later calls return it.

#include "screens/geardial/GearDial.h"

class TMainForm;

geardial::GearDial& MainGearDial(TMainForm& window);
