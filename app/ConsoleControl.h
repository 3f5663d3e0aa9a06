#pragma once
// What pellixctl may ask of the running program, answered on the main
// thread through the same paths as the window and the tray: the refusals
// that keep the window shut, the dial's checks before Auto (where the dial
// would ask, the request is refused unless it carries the answer), the
// mode engine, and the screens' refresh once a change has ended. A
// calibration runs behind the usual progress form. The savings history is
// read one day per request.

#include "automation/AutomationService.h"
#include "engine/SavingsHistory.h"
#include "ipc/ControlMailbox.h"
#include "screens/geardial/AutoChecks.h"

#include <functional>

class ControlHost : public geardial::AutoFacts {
public:
    virtual int CurrentLevel() = 0;
    virtual int RunningAutoGear() = 0;
    virtual bool IsOverclocked() = 0;
    // A tuning utility runs that the window refuses to open beside.
    virtual bool IsConflictingUtilityRunning() = 0;
    // A question, a notice, the progress form or the advanced settings are up.
    virtual bool IsDialogShown() = 0;
    // The power, energy, graphics-card and period fields of the status.
    virtual void FillReadings(kelp::control::Status& status) = 0;

    // Whether the organisation's policies let the user choose the level;
    // a refusal has been shown to the user.
    virtual bool MayChoose(int level) = 0;
    // Whether a policy switches the calibration off.
    virtual bool IsCalibrationManaged() = 0;

    virtual void StopStartupRestore() = 0;
    // Starts the change and returns at once.
    virtual void SetMode(int level) = 0;
    // No mode change left its crash guard set.
    virtual bool IsModeSettled() = 0;
    // The tray icon and balloon and the dial show the mode in force.
    virtual void RefreshModeDisplay() = 0;

    // Runs the calibration behind the progress form (modal); 1 when it completed.
    virtual int RunCalibration() = 0;
    // The progress form's step and step count.
    virtual void CalibrationProgress(uint32_t& step, uint32_t& steps) = 0;
    // As the progress form's Cancel button.
    virtual void CancelCalibration() = 0;

    // The savings history the history window shows.
    virtual const history::SavingsHistory& History() = 0;

    // The running automation: its rules and who holds the mode. Nothing
    // before it started.
    virtual automation::AutomationService* Automation() { return automation::Automation(); }
};

class ConsoleControl {
public:
    explicit ConsoleControl(ControlHost& host) : host_(host) {}

    // The reply to one job. Work that must follow the reply (the modal
    // calibration, which would otherwise keep it back) is left in `then`.
    kelp::control::Reply Handle(const kelp::control::Job& job, std::function<void()>& then);
    // What a status request would be told now (the metrics file shows the same).
    kelp::control::Status CurrentStatus();

    // Why no change may start now (overclocked, a conflicting utility, a
    // dialog or a calibration up); Reason::None when one may.
    kelp::control::Reason Blocker();
    // Why a change to the level may not start now, the Auto checks answered
    // by `tweakConfirmed` and no calibration; Reason::None when it may.
    kelp::control::Reason Refusal(int level, bool tweakConfirmed);

private:
    using Reply = kelp::control::Reply;
    using Request = kelp::control::Request;
    using Reason = kelp::control::Reason;

    Reply Status();
    Reply SetMode(const Request& request, bool tweakConfirmed);
    Reply Confirm(const Request& request);
    Reply StartCalibration(std::function<void()>& then);
    Reply CalibrationReply(kelp::control::Command answers);
    Reply HistoryDay(uint32_t index);
    Reply RuleAt(uint32_t index);
    Reply AddRule(const Request& request);
    Reply RemoveRule(const Request& request);
    Reply AutomationStatus();
    Reason AutoBlocker(bool tweakConfirmed);

    ControlHost& host_;
    kelp::control::CalibrationState calibration_ = kelp::control::CalibrationState::Idle;
};
