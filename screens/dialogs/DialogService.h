#pragma once
// The questions and notices of the program, built from language texts and
// shown through a presenter, and the calibration run behind the progress
// form. Answers: 1 for the left button, 2 for the right one or a closed
// dialog. While some of the questions are up the main window is dimmed.
//
// One dialog at a time: a question, notice or calibration asked for while
// another is up (from a message handled inside its modal loop) is not shown
// and answers 2, the answer that changes nothing. A request that must not
// be lost that way closes the open dialog (CloseDialog) and asks again once
// that dialog's loop is over.

#include "screens/dialogs/DialogPresenter.h"

class Calibrator;

#include <functional>
#include <string>

class DialogService {
public:
    // Runs the progress form for a calibration; 1 when every step ran.
    using ProgressRunner = std::function<int(int stepCount, unsigned durationMs, const std::function<void(int)>& step,
                                             const std::string& message)>;
    // Ends a running progress form as its Cancel button would.
    using ProgressCanceller = std::function<void()>;
    using CalibratorSource = std::function<Calibrator&()>;
    // Shows (true) or hides (false) the cover over the main window.
    using CoverSwitch = std::function<void(bool shown)>;

    // Over the skinned forms and the calibrator of this machine; created on
    // first use and kept.
    static DialogService& Instance();

    DialogService(DialogPresenter& presenter, ProgressRunner progress, ProgressCanceller cancelProgress,
                  CalibratorSource calibrator, CoverSwitch cover);

    int Notice(const std::string& text);
    int BackToDefault();
    int ConfirmChangeSetting();
    int ConfirmExit();
    int ConfirmTweak();
    // Before every day of the savings history is cleared.
    int ConfirmClearHistory();
    // The first-run welcome with the offer to calibrate.
    int FirstRunCalibration();
    int CalibrationBeforeSetting();
    int CalibrateAfterSettingChanged();
    int InformCalibration();
    // Offers a calibration; with the left answer the calibration runs and
    // its result is returned. The CPU form goes away first: it stays on top
    // and would hide the question.
    int CalibrationPrompt(const std::string& text);
    // 1 when the calibration completed, 2 when it was cancelled or refused
    // (a dialog or a run is up already). A progress form that fails ends
    // the run as a cancelled one before the failure goes on.
    int RunCalibration();
    void ShowCover() { cover_(true); }
    void HideCover() { cover_(false); }
    // The graphics-card notice over the dimmed main window; the form takes
    // the cover down again when it closes.
    void ShowVgaForm();
    // A message or the calibration progress is up.
    bool IsDialogShown() const;
    // Ends the message with answer 2 or cancels the calibration, whichever
    // is up; its modal loop ends once the message being handled is done.
    void CloseDialog();

private:
    enum class Shown { None, Message, Progress };
    enum class Cover { No, Yes };

    // Runs `dialog` unless a dialog is up already (answer 2 then), with the
    // main window dimmed when asked to.
    int Exclusive(Cover cover, const std::function<int()>& dialog);
    int Ask(const std::string& text, const std::optional<std::string>& left, const std::string& right);
    int YesNo(const std::string& text);
    int Prompt(const std::string& text);
    int RunProgress(Calibrator& calibrator);

    DialogPresenter& presenter_;
    ProgressRunner progress_;
    ProgressCanceller cancelProgress_;
    CalibratorSource calibrator_;
    CoverSwitch cover_;
    Shown shown_ = Shown::None;
};
