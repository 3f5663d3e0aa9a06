#include "tests/cpuvga/PopupForms.h"

#include "VtPackage/VtRegistration.h"
#include "framework/TApplication.h"
#include "screens/cpuform/TCpuForm.h"
#include "screens/dialogs/TCoverDialog.h"
#include "screens/dialogs/TProgressDialog.h"
#include "screens/dialogs/TUniversalDialog.h"
#include "screens/vgaform/TVgaForm.h"

namespace popuptest {

MainStandIn& TheForms()
{
    static MainStandIn main;
    static const bool created = [] {
        RegisterVtComponents();
        main.form = Application().CreateForm<TForm>();
        main.form->SetScaled(false);
        main.form->SetBounds(40, 30, 691, 548);
        main.background = new TImage(main.form); // owned by the form
        main.background->SetParent(main.form);
        main.background->SetAutoSize(true);
        main.background->Picture().LoadFromFile("Skin\\Main\\LargeBk.bmp");
        main.shape.Attach(main.background);
        CoverDialog = Application().CreateForm<TCoverDialog>();
        ProgressDialog = Application().CreateForm<TProgressDialog>();
        UniversalDialog = Application().CreateForm<TUniversalDialog>();
        VgaForm = Application().CreateForm<TVgaForm>();
        CpuForm = Application().CreateForm<TCpuForm>();
        CoverDialog->Prepare(*main.form, *main.background);
        return true;
    }();
    (void)created;
    return main;
}

void UseMainPicture(bool large)
{
    MainStandIn& main = TheForms();
    main.background->Picture().LoadFromFile(large ? "Skin\\Main\\LargeBk.bmp" : "Skin\\Main\\SmallBk.bmp");
    main.shape.ApplyShape(main.form, main.background);
    main.form->SetClientHeight(main.background->Height());
}

} // namespace popuptest
