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

#include <cstdio>
#include <string>

namespace {

void Shot(const std::string& name)
{
    PumpFor(700);
    std::printf("shot %s\n", name.c_str());
    std::fflush(stdout);
    const std::string done = name + ".done";
    PumpUntil([&] { return GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES; }, 30000);
}

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

    CpuForm->Show();
    Shot("cpu-large");
    CpuForm->Hide();
    popuptest::UseMainPicture(false);
    CpuForm->Show();
    Shot("cpu-small");
    CpuForm->Hide();
    popuptest::UseMainPicture(true);

    // The link is not followed in pictures.
    VgaForm->SetLinkOpener([](const std::string&) {});
    DialogService::Instance().ShowVgaForm();
    Shot("vga");
    PointAt(*VgaForm->Hyperlink);
    Shot("vga-link");
    VgaForm->ExitButton->Click();
    return 0;
}
