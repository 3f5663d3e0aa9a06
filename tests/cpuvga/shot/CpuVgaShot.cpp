// Picture program for the CPU and graphics-card forms: the stand-in main
// window with the real main-window pictures, the CPU form over it large and
// shrunk, and the graphics-card form over the cover, once as it opens and
// once with the pointer on its link. Before each picture it prints
// "shot <name>" and waits for the screenshot script to leave "<name>.done".

#include "screens/cpuform/TCpuForm.h"
#include "screens/dialogs/DialogService.h"
#include "screens/vgaform/TVgaForm.h"
#include "tests/cpuvga/PopupForms.h"
#include "tests/support/MessagePump.h"

#include <string>

namespace {

// The real pointer, so that the form sees the move as a user's.
void PointAt(TControl& control)
{
    POINT centre{control.Left() + control.Width() / 4, control.Top() + control.Height() / 2};
    ClientToScreen(GetParentForm(&control)->Handle(), &centre);
    SetCursorPos(centre.x, centre.y);
}

} // namespace

int main()
{
    popuptest::MainStandIn& main = popuptest::TheForms();
    main.form->Show();
    SetCursorPos(1000, 740);
    // A user opens the CPU form from a main window that is already drawn.
    // Under Wine, a colour-keyed window whose size is not a multiple of 32
    // keeps the compositor from drawing what lies under its padding, so a
    // window drawn only after the form is up shows a blank strip there.
    PumpFor(500);

    CpuForm->Show();
    ShotWhenAsked("cpu-large");
    CpuForm->Hide();
    popuptest::UseMainPicture(false);
    PumpFor(500);
    CpuForm->Show();
    ShotWhenAsked("cpu-small");
    CpuForm->Hide();
    popuptest::UseMainPicture(true);

    // The link is not followed in pictures.
    VgaForm->SetLinkOpener([](const std::string&) {});
    DialogService::Instance().ShowVgaForm();
    ShotWhenAsked("vga");
    PointAt(*VgaForm->Hyperlink);
    ShotWhenAsked("vga-link");
    VgaForm->ExitButton->Click();
    return 0;
}
