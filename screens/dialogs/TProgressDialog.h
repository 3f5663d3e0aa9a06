#pragma once
// The skinned progress form of a calibration. Shown modally, it ticks
// `Steps()` times, one interval of total / steps milliseconds apart, calls
// the step callback with 1, 2, ... N and draws the percentage reached; the
// tick after the last closes it with OK. Cancel and the close button close
// it with Cancel, and no step runs after that.

#include "VtPackage/VtButton.h"
#include "VtPackage/VtButtonTx.h"
#include "framework/TForm.h"
#include "framework/TTimer.h"
#include "framework/controls/TAccessibleParts.h"
#include "framework/controls/TImage.h"
#include "framework/controls/TLabel.h"
#include "kelp/widget/Flicker.h"
#include "kelp/widget/RegionShapedForm.h"

#include <functional>
#include <memory>

class TProgressDialog : public TForm {
public:
    using StepCallback = std::function<void(int step)>;

    explicit TProgressDialog(TComponent* owner);
    ~TProgressDialog() override;

    unsigned TotalMs() const { return totalMs_; }
    void SetTotalMs(unsigned totalMs) { totalMs_ = totalMs; }
    int Steps() const { return steps_; }
    void SetSteps(int steps) { steps_ = steps; }
    int Counter() const { return counter_; }
    void SetStepCallback(StepCallback callback) { callback_ = std::move(callback); }

    // Draws the bar at `percent` (0..100).
    void DrawPercent(int percent);
    int Percent() const { return percent_; }
    // The bar for screen readers: a progress bar named by the message,
    // valued by the percentage.
    TAccessibleParts& BarReading() { return *barReading_; }

    TImage* Background;
    VtButtonTx* CancelButton;
    VtButton* MinimizeButton;
    VtButton* CloseButton;
    TImage* ProgressBarHead;
    TImage* ProgressBarBody;
    TImage* ProgressBarTail;
    TImage* ProgressBar;
    TTimer* Timer;
    TLabel* Message;

private:
    // The Cancel caption and the language's character set on the texts.
    void SetLanguage();
    void FormShow(TObject* sender);
    void TimerTimer(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    void CancelButtonClick(TObject* sender);
    void CloseButtonClick(TObject* sender);

    kelp::RegionShapedForm shape_;
    kelp::Flicker flicker_;
    unsigned totalMs_ = 3500;
    int steps_ = 100;
    int counter_ = 0;
    StepCallback callback_;
    int percent_ = 0;
    std::unique_ptr<TAccessibleParts> barReading_;
};

// The progress form created at start-up.
extern TProgressDialog* ProgressDialog;
