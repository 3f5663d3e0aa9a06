#pragma once
// The main window's layout streamed into a bare form of the window's class,
// with the program's own control classes and the artwork beside the test
// executable, for tests that need the real layout without the controller.
// The test needs the layout as its resource "TMAINFORM".

#include "VtPackage/VtRegistration.h"
#include "framework/TForm.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/layout/LayoutReader.h"

#include <memory>

namespace testsupport {

// The class the layout is written for (its name finds the layout resource).
class TMainForm : public TForm {
public:
    using TForm::TForm;
};

// A new form with the layout; its published events do nothing.
inline std::unique_ptr<TMainForm> LoadMainLayout()
{
    RegisterVtComponents();
    TClassRegistry& registry = TClassRegistry::Instance();
    if (!registry.Find("TMainForm"))
        registry.Register<TMainForm>("TMainForm", "TForm");
    THandlerTable handlers;
    for (const char* name : {"FormShow", "FormDestroy", "EnergySavingTimerTimer", "IdleTimerTimer",
                             "InitGearModeTimerTimer", "RegisterNotifyTimerTimer", "RestoreGearTimerTimer"})
        handlers.Publish<TNotifyEvent>(name, [](TObject*) {});
    handlers.Publish<TCloseEvent>("FormClose", [](TObject*, TCloseAction&) {});
    auto form = std::make_unique<TMainForm>(nullptr);
    ReadFormLayout(*form, handlers);
    return form;
}

} // namespace testsupport
