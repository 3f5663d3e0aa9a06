#pragma once
// The questions and notices of the program, built from language texts and
// shown through a presenter, and the calibration run behind the progress
// window. Answers: 1 for the left button, 2 for the right one or a closed
// dialog.

#include "screens/dialogs/DialogPresenter.h"

class Calibrator;

#include <functional>
#include <string>

class DialogService {
public:
    // Runs the progress window for a calibration; 1 when every step ran.
    using ProgressRunner = std::function<int(int stepCount, unsigned durationMs, const std::function<void(int)>& step,
                                             const std::string& message)>;

    // Over message boxes and the calibrator of this machine; created on
    // first use and kept.
    static DialogService& Instance();

    using CalibratorSource = std::function<Calibrator&()>;

    DialogService(DialogPresenter& presenter, ProgressRunner progress, CalibratorSource calibrator);

    int Notice(const std::string& text);
    int BackToDefault();
    int ConfirmExit();
    // A Yes/No question: 1 for Yes.
    int Confirm(const std::string& text);
    // The first-run welcome with the offer to calibrate.
    int FirstRunCalibration();
    // Offers a calibration; with the left answer the calibration runs and
    // its result is returned.
    int CalibrationPrompt(const std::string& text);
    // 1 when the calibration completed, 2 when it was cancelled or refused
    // (a run is under way already).
    int RunCalibration();
    // A message or the calibration progress is up.
    bool IsDialogShown() const;

private:
    DialogPresenter& presenter_;
    ProgressRunner progress_;
    CalibratorSource calibrator_;
    bool calibrating_ = false;
};
