#pragma once
// The program's main window and message hub. It lives for the whole
// process, usually hidden behind the tray icon, and turns the private
// messages of the tray, the pipe server, second instances and the suite's
// other programs, the registered broadcast and the system's session and
// power events into mode requests and refreshes. Its timers drive the
// energy sampling, the idle action, the delayed start-up restore, the
// post-resume restore and the service registration retries.

#include "app/MainPolicies.h"
#include "app/MainSkin.h"
#include "app/PowerEvents.h"
#include "app/StartupRestore.h"
#include "engine/CalibrationHost.h"
#include "engine/CpuPowerMonitorHost.h"
#include "framework/TForm.h"
#include "framework/TTimer.h"

namespace energy {
class EnergyDisplay;
}

constexpr const char* kMainFormClass = "TMainForm";
constexpr const char* kMainFormCaption = "Pellix";

class TMainForm : public TForm, private CpuPowerMonitorHost, private CalibrationHost {
public:
    explicit TMainForm(TComponent* owner);
    ~TMainForm() override;

    // Once, after the forms exist: pipe server, tray icon, timers, the
    // start-up level and the service registration.
    void StartUp(bool bootFlag);
    // The guarded show: refuses with a notice while conflicting tuning
    // software or an overclocked state is detected.
    void ShowMainWindow();
    // Code 5 redraws the current mode everywhere; other codes do nothing.
    void Refresh(int code);
    bool IsAutoAllowed();
    // Ends the program: every way out comes here (the exit message, the
    // tray menu's Exit, a close of the application window, a picture that
    // cannot be read).
    void ExitProgram();
    // The user chose a mode before the delayed start-up restore ran.
    void CancelStartupRestore() { restore_.Cancel(); }

    TTimer* EnergySavingTimer;
    TTimer* IdleTimer;
    TTimer* InitGearModeTimer;
    TTimer* RegisterNotifyTimer;
    TTimer* RestoreGearTimer;

    MainSkin& Skin() { return skin_; }
    geardial::GearDial& Dial() { return dial_; }

protected:
    void WndProc(TMessage& message) override;

private:
    TTimer* CreateTimer(const char* name, unsigned intervalMs);
    // Streams the layout into the form, binding its events to the
    // handlers below.
    TForm& StreamLayout();
    void SetUpSkin();
    void FormShow();
    void FormDestroy();
    bool HandleTaggedMessage(TMessage& message);
    bool HandleModeMessage(const TMessage& message);
    void AppMessage(MSG& msg, bool& handled);
    // WM_ENDSESSION.
    void EndSession(bool ending);
    // The process ends without closing the window, its objects left to a
    // mode change that still runs.
    void EndProcessNow();
    void SelectAuto();
    void OnPipeEvent(WPARAM event);
    void GuardWindowSize(TMessage& message);

    void EnergySavingTimerTimer();
    void IdleTimerTimer();
    void InitGearModeTimerTimer();
    void RegisterNotifyTimerTimer();
    void RestoreGearTimerTimer();

    // CpuPowerMonitorHost
    bool IsRestorePending(int& level) override;
    void EnableVgaButton(bool enable) override;
    void RedrawGearDial() override;
    // CalibrationHost
    void StopEnergySavingTimer() override;
    void StartEnergySavingTimer() override;

    StartupRestore restore_;
    PowerEvents powerEvents_;
    MainSkin skin_;
    geardial::GearDial& dial_;
    MainPolicies policies_;
    energy::EnergyDisplay* energy_ = nullptr;  // created by the skin set-up
    int appMessageHook_ = 0;
    bool backToDefaultPending_ = false;
};

// The main form created at start-up.
extern TMainForm* MainForm;
