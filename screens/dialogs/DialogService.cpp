#include "screens/dialogs/DialogService.h"

#include "app/Edition.h"
#include "engine/AdvanceSettings.h"
#include "engine/Calibration.h"
#include "kelp/System/Language.h"
#include "policy/Policies.h"
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

void CancelProgressDialog()
{
    if (ProgressDialog && ProgressDialog->Visible())
        ProgressDialog->Close();
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

// Holds `value` in `variable` while it lives and puts the previous value
// back however the scope ends.
template <class T> class ValueScope {
public:
    ValueScope(T& variable, T value) : variable_(variable), previous_(variable) { variable_ = value; }
    ~ValueScope() { variable_ = previous_; }
    ValueScope(const ValueScope&) = delete;
    ValueScope& operator=(const ValueScope&) = delete;

private:
    T& variable_;
    T previous_;
};
} // namespace

DialogService& DialogService::Instance()
{
    static DialogService service(*UniversalDialog, RunProgressDialog, CancelProgressDialog,
                                 []() -> Calibrator& { return GetCalibrator(); }, SwitchCover);
    return service;
}

DialogService::DialogService(DialogPresenter& presenter, ProgressRunner progress, ProgressCanceller cancelProgress,
                             CalibratorSource calibrator, CoverSwitch cover)
    : presenter_(presenter), progress_(std::move(progress)), cancelProgress_(std::move(cancelProgress)),
      calibrator_(std::move(calibrator)), cover_(std::move(cover))
{
}

int DialogService::Exclusive(Cover cover, const std::function<int()>& dialog)
{
    // The message form cannot be shown twice, and a run started under a
    // question would have the question wait on top of its measurement.
    if (IsDialogShown())
        return kRight;
    if (cover == Cover::No)
        return dialog();
    CoverScope dimmed(cover_);
    return dialog();
}

int DialogService::Ask(const std::string& text, const std::optional<std::string>& left, const std::string& right)
{
    ValueScope<Shown> shown(shown_, Shown::Message);
    return presenter_.Ask(text, left, right);
}

int DialogService::Notice(const std::string& text)
{
    return Exclusive(Cover::No, [&] { return Ask(text, std::nullopt, Text("OK")); });
}

int DialogService::BackToDefault()
{
    return Notice(Text("BackToDefault"));
}

int DialogService::YesNo(const std::string& text)
{
    return Ask(text, Text("Yes"), Text("No"));
}

int DialogService::ConfirmChangeSetting()
{
    return Exclusive(Cover::Yes, [this] { return YesNo(TwoLines("ChangeSetting", "SureContinue")); });
}

int DialogService::ConfirmExit()
{
    return Exclusive(Cover::No, [this] { return YesNo(TwoLines("SetToHighPerformanceBeforeExit", "SureExit")); });
}

int DialogService::ConfirmTweak()
{
    // The question ends in the middle of its sentence: the two texts run on.
    return Exclusive(Cover::Yes, [this] { return YesNo(Text("TweakItConfirm") + Text("SureContinue")); });
}

int DialogService::ConfirmClearHistory()
{
    return Exclusive(Cover::Yes, [this] { return YesNo(TwoLines("HistoryClearQuestion", "SureContinue")); });
}

int DialogService::FirstRunCalibration()
{
    const char* welcome = IsWorkstationEdition() ? LANG_KEY("FirstRunOrdun-WS") : LANG_KEY("FirstRunOrdun-6");
    return CalibrationPrompt(TwoLines(welcome, "CloseUnnecessaryPrograms"));
}

int DialogService::CalibrationBeforeSetting()
{
    return Exclusive(Cover::Yes,
                     [this] { return Prompt(TwoLines("CalibrationBeforSetting", "CloseAllRunningPrograms")); });
}

int DialogService::CalibrateAfterSettingChanged()
{
    return Exclusive(Cover::Yes,
                     [this] { return Prompt(TwoLines("CalibrateAfterSettingChanged", "CloseAllRunningPrograms")); });
}

int DialogService::InformCalibration()
{
    return Exclusive(Cover::Yes, [this] { return Prompt(Text("InformCalibration")); });
}

int DialogService::CalibrationPrompt(const std::string& text)
{
    return Exclusive(Cover::No, [&] { return Prompt(text); });
}

int DialogService::Prompt(const std::string& text)
{
    if (CpuForm)
        CpuForm->Hide();
    const int answer = Ask(text, Text("RunCalibration"), Text("Exit"));
    return answer == kLeft ? RunCalibration() : answer;
}

int DialogService::RunCalibration()
{
    // Every calibration the user starts comes here: the dial's offers, the
    // first run's question, Auto's request and pellixctl.
    if (policy::CurrentPolicies().CalibrationOff()) {
        Notice(Text("PolicyManaged"));
        return kRight;
    }
    // Refused, too, while a run is under way: a second Auto request
    // (message 1059 again) would restart the same calibrator inside it.
    return Exclusive(Cover::No, [this] {
        Calibrator& calibrator = calibrator_();
        BeginCalibration(calibrator);
        if (RunProgress(calibrator) == kLeft) {
            EndCalibration(calibrator, true);
            AdvanceSettings::Instance().SetCalibrationNeeded(false);
            return kLeft;
        }
        EndCalibration(calibrator, false);
        return kRight;
    });
}

int DialogService::RunProgress(Calibrator& calibrator)
{
    ValueScope<Shown> shown(shown_, Shown::Progress);
    try {
        return progress_(calibrator.StepCount(), calibrator.DurationMs(), [&](int tick) { calibrator.Step(tick); },
                         Text("CalibratingWait"));
    } catch (...) {
        // The run cannot go on: it ends as a cancelled one, with the load
        // stopped, the level restored and the crash guard and timers back.
        EndCalibration(calibrator, false);
        throw;
    }
}

void DialogService::ShowVgaForm()
{
    ShowCover();
    if (VgaForm)
        VgaForm->Show();
}

bool DialogService::IsDialogShown() const
{
    return shown_ != Shown::None;
}

void DialogService::CloseDialog()
{
    switch (shown_) {
    case Shown::Message:
        presenter_.Dismiss();
        break;
    case Shown::Progress:
        cancelProgress_();
        break;
    case Shown::None:
        break;
    }
}
