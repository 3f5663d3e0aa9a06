#include "screens/dialogs/DialogService.h"

#include "app/Edition.h"
#include "engine/AdvanceSettings.h"
#include "engine/Calibration.h"
#include "kelp/System/Language.h"
#include "screens/cpuform/TCpuForm.h"
#include "screens/dialogs/TCoverDialog.h"
#include "screens/dialogs/TProgressDialog.h"
#include "screens/dialogs/TUniversalDialog.h"
#include "screens/vgaform/TVgaForm.h"

#include <utility>

namespace {
constexpr int kLeft = 1;
constexpr int kRight = 2;

std::string Text(const char* key)
{
    return kelp::Translate(key);
}

std::string TwoLines(const char* first, const char* second)
{
    return Text(first) + "\n" + Text(second);
}

int RunProgressDialog(int steps, unsigned durationMs, const std::function<void(int)>& step, const std::string& message)
{
    ProgressDialog->SetSteps(steps);
    ProgressDialog->SetTotalMs(durationMs);
    ProgressDialog->Message->SetCaption(message);
    ProgressDialog->SetStepCallback(step);
    return ProgressDialog->ShowModal();
}

void SwitchCover(bool shown)
{
    if (CoverDialog)
        CoverDialog->SetVisible(shown);
}

// Restores the cover's state even when the dialog ends by an exception.
class CoverScope {
public:
    explicit CoverScope(const DialogService::CoverSwitch& cover) : cover_(cover) { cover_(true); }
    ~CoverScope() { cover_(false); }
    CoverScope(const CoverScope&) = delete;
    CoverScope& operator=(const CoverScope&) = delete;

private:
    const DialogService::CoverSwitch& cover_;
};
} // namespace

DialogService& DialogService::Instance()
{
    static DialogService service(*UniversalDialog, RunProgressDialog, []() -> Calibrator& { return GetCalibrator(); },
                                 SwitchCover);
    return service;
}

DialogService::DialogService(DialogPresenter& presenter, ProgressRunner progress, CalibratorSource calibrator,
                             CoverSwitch cover)
    : presenter_(presenter), progress_(std::move(progress)), calibrator_(std::move(calibrator)), cover_(std::move(cover))
{
}

int DialogService::Covered(const std::function<int()>& dialog)
{
    CoverScope cover(cover_);
    return dialog();
}

int DialogService::Notice(const std::string& text)
{
    return presenter_.Ask(text, std::nullopt, Text("OK"));
}

int DialogService::BackToDefault()
{
    return Notice(Text("BackToDefault"));
}

int DialogService::YesNo(const std::string& text)
{
    return presenter_.Ask(text, Text("Yes"), Text("No"));
}

int DialogService::ConfirmChangeSetting()
{
    return Covered([this] { return YesNo(TwoLines("ChangeSetting", "SureContinue")); });
}

int DialogService::ConfirmExit()
{
    return YesNo(TwoLines("SetToHighPerformanceBeforeExit", "SureExit"));
}

int DialogService::ConfirmTweak()
{
    // The question ends in the middle of its sentence: the two texts run on.
    return Covered([this] { return YesNo(Text("TweakItConfirm") + Text("SureContinue")); });
}

int DialogService::ConfirmClearHistory()
{
    return Covered([this] { return YesNo(TwoLines("HistoryClearQuestion", "SureContinue")); });
}

int DialogService::FirstRunCalibration()
{
    const char* welcome = IsWorkstationEdition() ? LANG_KEY("FirstRunOrdun-WS") : LANG_KEY("FirstRunOrdun-6");
    return CalibrationPrompt(TwoLines(welcome, "CloseUnnecessaryPrograms"));
}

int DialogService::CalibrationBeforeSetting()
{
    return Covered([this] { return CalibrationPrompt(TwoLines("CalibrationBeforSetting", "CloseAllRunningPrograms")); });
}

int DialogService::CalibrateAfterSettingChanged()
{
    return Covered(
        [this] { return CalibrationPrompt(TwoLines("CalibrateAfterSettingChanged", "CloseAllRunningPrograms")); });
}

int DialogService::InformCalibration()
{
    return Covered([this] { return CalibrationPrompt(Text("InformCalibration")); });
}

int DialogService::CalibrationPrompt(const std::string& text)
{
    if (CpuForm)
        CpuForm->Hide();
    const int answer = presenter_.Ask(text, Text("RunCalibration"), Text("Exit"));
    return answer == kLeft ? RunCalibration() : answer;
}

int DialogService::RunCalibration()
{
    // A second request while a run is under way (message 1059 again) would
    // restart the same calibrator inside the first run.
    if (calibrating_)
        return kRight;
    Calibrator& calibrator = calibrator_();
    calibrating_ = true;
    BeginCalibration(calibrator);
    const int result = progress_(calibrator.StepCount(), calibrator.DurationMs(), [&](int tick) { calibrator.Step(tick); },
                                 Text("CalibratingWait"));
    calibrating_ = false;
    if (result == kLeft) {
        EndCalibration(calibrator, true);
        AdvanceSettings::Instance().SetCalibrationNeeded(false);
        return kLeft;
    }
    EndCalibration(calibrator, false);
    return kRight;
}

void DialogService::ShowVgaForm()
{
    ShowCover();
    if (VgaForm)
        VgaForm->Show();
}

bool DialogService::IsDialogShown() const
{
    return presenter_.IsShown() || calibrating_;
}
