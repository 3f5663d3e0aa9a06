#include "screens/dialogs/DialogService.h"

#include "app/Edition.h"
#include "engine/AdvanceSettings.h"
#include "engine/Calibration.h"
#include "framework/TApplication.h"
#include "framework/TForm.h"
#include "kelp/System/Language.h"
#include "screens/dialogs/MessageBoxPresenter.h"
#include "screens/progress/ProgressWindow.h"

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
} // namespace

DialogService& DialogService::Instance()
{
    static MessageBoxPresenter presenter;
    static DialogService service(
        presenter,
        [](int steps, unsigned durationMs, const std::function<void(int)>& step, const std::string& message) {
            TForm* owner = Application().MainForm();
            return ShowProgressWindow(owner ? owner->Handle() : nullptr, steps, durationMs, step, message.c_str());
        },
        [] () -> Calibrator& { return GetCalibrator(); });
    return service;
}

DialogService::DialogService(DialogPresenter& presenter, ProgressRunner progress, CalibratorSource calibrator)
    : presenter_(presenter), progress_(std::move(progress)), calibrator_(std::move(calibrator))
{
}

int DialogService::Notice(const std::string& text)
{
    return presenter_.Ask(text, std::nullopt, Text("OK"));
}

int DialogService::BackToDefault()
{
    return Notice(Text("BackToDefault"));
}

int DialogService::ConfirmExit()
{
    return Confirm(TwoLines("SetToHighPerformanceBeforeExit", "SureExit"));
}

int DialogService::Confirm(const std::string& text)
{
    return presenter_.Ask(text, Text("Yes"), Text("No"));
}

int DialogService::FirstRunCalibration()
{
    const char* welcome = IsWorkstationEdition() ? LANG_KEY("FirstRunOrdun-WS") : LANG_KEY("FirstRunOrdun-6");
    return CalibrationPrompt(TwoLines(welcome, "CloseUnnecessaryPrograms"));
}

int DialogService::CalibrationPrompt(const std::string& text)
{
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

bool DialogService::IsDialogShown() const
{
    return presenter_.IsShown() || calibrating_;
}
