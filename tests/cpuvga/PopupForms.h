#pragma once
// The forms the CPU and graphics-card forms work with, created once in the
// program's order: a stand-in main window with the real main-window
// background, the cover prepared over it, the progress and message forms,
// then the graphics-card and CPU forms. The program's global instances
// point at them, so the dialog service finds them as it does at run time.

#include "framework/TForm.h"
#include "framework/controls/TImage.h"
#include "kelp/widget/RegionShapedForm.h"

namespace popuptest {

struct MainStandIn {
    TForm* form = nullptr;
    TImage* background = nullptr;
    kelp::RegionShapedForm shape;
};

MainStandIn& TheForms();

// The stand-in main window with the large (true) or the shrunk picture.
void UseMainPicture(bool large);

} // namespace popuptest
