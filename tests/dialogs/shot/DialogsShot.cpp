// Picture program for the dialogs: a stand-in main window with the real
// main-window backgrounds, then every question and notice of the dialog
// service in turn, the progress form half-way, and the cover over the large
// and the shrunk window. Before each picture it prints "shot <name>" and
// waits for the screenshot script to leave "<name>.done".

#include "VtPackage/VtRegistration.h"
#include "engine/Calibration.h"
#include "kelp/System/Language.h"
#include "kelp/widget/RegionShapedForm.h"
#include "screens/dialogs/DialogService.h"
#include "screens/dialogs/TCoverDialog.h"
#include "screens/dialogs/TProgressDialog.h"
#include "screens/dialogs/TUniversalDialog.h"
#include "tests/support/MessagePump.h"

#include <string>

namespace {

// Takes the picture of the message form once it is up, then closes it.
void ShootWhenUp(const std::string& name)
{
    auto* timer = new TTimer(UniversalDialog);
    timer->SetInterval(50);
    timer->OnTimer = [timer, name](TObject*) {
        timer->SetEnabled(false);
        ShotWhenAsked(name);
        UniversalDialog->CloseButton->Click();
    };
    timer->SetEnabled(true);
}

// Never runs a step: the pictures need the prompts, not a calibration.
int NoCalibration(int, unsigned, const std::function<void(int)>&, const std::string&)
{
    return 2;
}

} // namespace

int main()
{
    Application();
    RegisterVtComponents();
    TForm* main = Application().CreateForm<TForm>();
    CoverDialog = Application().CreateForm<TCoverDialog>();
    ProgressDialog = Application().CreateForm<TProgressDialog>();
    UniversalDialog = Application().CreateForm<TUniversalDialog>();

    main->SetScaled(false);
    main->SetBounds(40, 30, 691, 548);
    auto* background = new TImage(main);
    background->SetParent(main);
    background->Picture().LoadFromFile("Skin\\Main\\LargeBk.bmp");
    kelp::RegionShapedForm shape;
    shape.Attach(background);
    main->Show();
    CoverDialog->Prepare(*main, *background);

    DialogService service(*UniversalDialog, NoCalibration, [] {}, []() -> Calibrator& { return GetCalibrator(); },
                          [](bool shown) { CoverDialog->SetVisible(shown); });
    const std::pair<const char*, std::function<int()>> uses[] = {
        {"notice", [&] { return service.Notice(kelp::Translate("AutoModeUnavaliable")); }},
        {"back-to-default", [&] { return service.BackToDefault(); }},
        {"confirm-change-setting", [&] { return service.ConfirmChangeSetting(); }},
        {"confirm-exit", [&] { return service.ConfirmExit(); }},
        {"confirm-tweak", [&] { return service.ConfirmTweak(); }},
        {"first-run-calibration", [&] { return service.FirstRunCalibration(); }},
        {"calibration-before-setting", [&] { return service.CalibrationBeforeSetting(); }},
        {"calibrate-after-setting-changed", [&] { return service.CalibrateAfterSettingChanged(); }},
        {"inform-calibration", [&] { return service.InformCalibration(); }},
    };
    for (const auto& [name, use] : uses) {
        ShootWhenUp(name);
        use();
    }

    ProgressDialog->SetSteps(100);
    ProgressDialog->SetTotalMs(1000);
    ProgressDialog->Message->SetCaption(kelp::Translate("CalibratingWait"));
    ProgressDialog->SetStepCallback([](int step) {
        if (step == 50) {
            ShotWhenAsked("progress");
            ProgressDialog->CancelButton->Click();
        }
    });
    CoverDialog->Show();
    ProgressDialog->ShowModal();
    CoverDialog->Hide();

    CoverDialog->Show();
    ShotWhenAsked("cover-large");
    CoverDialog->Hide();
    background->Picture().LoadFromFile("Skin\\Main\\SmallBk.bmp");
    shape.ApplyShape(main, background);
    main->SetClientHeight(background->Height());
    CoverDialog->Show();
    ShotWhenAsked("cover-small");
    return 0;
}
