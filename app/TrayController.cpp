#include "app/TrayController.h"

#include "engine/AdvanceSettings.h"
#include "engine/ModeChangeCause.h"
#include "engine/ModeModel.h"
#include "framework/TApplication.h"
#include "framework/TForm.h"
#include "framework/TTimer.h"
#include "framework/system/ExclusiveLock.h"
#include "framework/system/Trace.h"
#include "kelp/System/Language.h"
#include "policy/Policies.h"

#include <utility>

// The balloon timer lives among the owner's components, so the owner frees
// it; its end tells the controller that the owner is going away.
class TrayController::BalloonTimer final : public TTimer {
public:
    BalloonTimer(TComponent* owner, TrayController& tray) : TTimer(owner), tray_(&tray) {}
    ~BalloonTimer() override
    {
        if (tray_)
            tray_->OwnerGone();
    }
    // The controller went first: the timer stays with its owner, unused.
    void Forget()
    {
        tray_ = nullptr;
        OnTimer = nullptr;
        SetEnabled(false);
    }

private:
    TrayController* tray_;
};

TrayController::TrayController(TrayServices& services, ShellNotify shell, std::string iconFolder)
    : services_(services), shell_(std::move(shell)), iconFolder_(std::move(iconFolder))
{
}

TrayController::~TrayController()
{
    if (pluggedIntoEngine_)
        PlugModeChangeObserver(nullptr);
    if (balloonTimer_)
        balloonTimer_->Forget();
}

void TrayController::PlugIntoModeEngine()
{
    PlugModeChangeObserver(this);
    pluggedIntoEngine_ = true;
}

void TrayController::Create(TForm* mainWindow, UINT callbackMessage)
{
    if (owner_ || !mainWindow)
        return;
    owner_ = mainWindow;
    const std::string title = Application().Title();
    {
        ExclusiveLock lock(iconLock_);
        icon_.emplace(mainWindow->Handle(), kIconId, callbackMessage, title, shell_);
        icon_->SetBalloonTitle(title);
        icon_->SetBalloonFlags(kBalloonFlags);
        icon_->SetBalloonTimeout(kBalloonTimeoutMs);
    }

    balloonTimer_ = new BalloonTimer(mainWindow, *this);
    balloonTimer_->SetName(kBalloonTimerName);
    balloonTimer_->SetEnabled(false);
    balloonTimer_->SetInterval(kBalloonShowMs);
    balloonTimer_->OnTimer = [this](TObject*) { BalloonTimerTimer(); };

    Refresh();
}

void TrayController::BuildMenu()
{
    menu_.Reset(CreatePopupMenu());
    AppendMenuA(menu_.Get(), MF_STRING, kMenuBalloonTips, kelp::Translate("AllowToolTip").c_str());
    AppendMenuA(menu_.Get(), MF_STRING, kMenuRunAtStartup, kelp::Translate("RunAtStartup").c_str());
    AppendMenuA(menu_.Get(), MF_STRING, kMenuExit, kelp::Translate("Exit").c_str());
    AppendMenuA(menu_.Get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu_.Get(), MF_STRING, kMenuAutomation, kelp::Translate("AutomationMenu").c_str());
}

void TrayController::RefreshIcon()
{
    const bool overclocked = services_.IsOverclocked();
    const int level = overclocked ? GearLevel::Unknown : services_.CurrentLevel();
    bool restorePending = false;
    int autoGear = 1;
    if (level == GearLevel::Auto) {
        restorePending = services_.IsRestorePending();
        if (!restorePending)
            autoGear = services_.AutoGear();
    }
    TIconHandle picture = LoadTrayIcon(iconFolder_, TrayIconIndex(overclocked, level, restorePending, autoGear));

    ExclusiveLock lock(iconLock_);
    if (!icon_)
        return;
    // The previous picture goes only after the shell has the new one.
    TIconHandle previous = std::exchange(iconHandle_, std::move(picture));
    icon_->SetIcon(iconHandle_.Get());
    icon_->Modify(balloonTimerRunning_);
}

std::string TrayController::BalloonText()
{
    if (services_.IsOverclocked())
        return kelp::Translate("CannotLaunchOverclocking");
    const int level = services_.CurrentLevel();
    std::string text = kelp::Translate("Mode") + ": " + kelp::Translate(LevelToNameKey(level));
    if (level == GearLevel::Auto && services_.IsTweakDisabled()) {
        text += '\n';
        text += kelp::Translate("TweakItIsDisabled");
    }
    if (!holdText_.empty())
        text += "\n" + holdText_;
    return text;
}

void TrayController::UpdateBalloon()
{
    ShowBalloon(BalloonText());
}

void TrayController::ShowBalloon(const std::string& text)
{
    if (!balloonTimer_)
        return;
    balloonTimer_->SetInterval(kBalloonShowMs);
    const bool show = AdvanceSettings::Instance().IsBalloonTipsEnabled();
    {
        ExclusiveLock lock(iconLock_);
        if (!icon_)
            return;
        icon_->SetBalloonText(text);
        if (show)
            icon_->ShowBalloon(true);
    }
    if (show)
        StartBalloonTimer(kBalloonShowMs);
}

void TrayController::Refresh()
{
    RefreshIcon();
    UpdateBalloon();
    ExclusiveLock lock(iconLock_);
    if (icon_)
        icon_->SetVisible(true);
}

void TrayController::OnNotify(LPARAM lParam)
{
    // The newer shells put the event in the low word and the icon id in
    // the high word; the older ones pass the event alone.
    switch (LOWORD(lParam)) {
    case WM_MOUSEMOVE:
        if (!balloonTimerRunning_)
            UpdateBalloon();
        break;
    case WM_LBUTTONUP:
        if (restoreHandler_)
            restoreHandler_();
        break;
    case WM_RBUTTONUP:
        ContextMenu();
        break;
    case NIN_BALLOONHIDE:
    case NIN_BALLOONUSERCLICK:
        StartBalloonTimer(kBalloonAfterShellMs);
        break;
    default:
        break;
    }
}

UINT TrayController::TaskbarCreatedMessage()
{
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

void TrayController::OnTaskbarCreated()
{
    ExclusiveLock lock(iconLock_);
    if (icon_)
        icon_->Readd();
}

void TrayController::ContextMenu()
{
    if (!owner_)
        return;
    // Built at the first right click: its texts are four language lookups,
    // which a start in the tray need not wait for.
    if (!menu_)
        BuildMenu();
    StartBalloonTimer(kBalloonShowMs);
    HideBalloon();
    MarkMenuItems();
    POINT at{};
    GetCursorPos(&at);
    const HWND window = owner_->Handle();
    // A menu whose window is not in the foreground would not close when the
    // user clicks elsewhere.
    SetForegroundWindow(window);
    const UINT item = services_.PopupMenu(menu_.Get(), window, at);
    PostMessageA(window, WM_NULL, 0, 0);
    RunMenuCommand(item);
}

void TrayController::MarkMenuItems()
{
    const AdvanceSettings& settings = AdvanceSettings::Instance();
    const policy::PolicySet policies = policy::CurrentPolicies();
    const auto mark = [this](UINT item, bool checked, bool managed) {
        CheckMenuItem(menu_.Get(), item, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
        EnableMenuItem(menu_.Get(), item, MF_BYCOMMAND | (managed ? MF_GRAYED : MF_ENABLED));
    };
    mark(kMenuBalloonTips, settings.IsBalloonTipsEnabled(), false);
    mark(kMenuRunAtStartup, policies.runAtLogOn.value_or(settings.IsRunAtStartup()), policies.runAtLogOn.has_value());
    mark(kMenuExit, false, policies.ExitHidden());
}

void TrayController::ShowNotice(const std::string& text)
{
    if (!balloonTimer_)
        return;
    {
        ExclusiveLock lock(iconLock_);
        if (!icon_)
            return;
        icon_->SetBalloonText(text);
        icon_->ShowBalloon(true);
    }
    // Counted from this notice: one shown shortly before must not take
    // this one down early.
    StopBalloonTimer();
    StartBalloonTimer(kBalloonShowMs);
}

void TrayController::RunMenuCommand(UINT item)
{
    const policy::PolicySet policies = policy::CurrentPolicies();
    if ((item == kMenuRunAtStartup && policies.runAtLogOn) || (item == kMenuExit && policies.ExitHidden())) {
        Trace("~~~[Policy] tray menu item %u is managed", item);
        return;
    }
    switch (item) {
    case kMenuBalloonTips:
        ToggleBalloonTips();
        break;
    case kMenuRunAtStartup:
        ToggleRunAtStartup();
        break;
    case kMenuExit:
        Exit();
        break;
    case kMenuAutomation:
        services_.ShowAutomationPage();
        break;
    default:
        break;
    }
}

void TrayController::ToggleBalloonTips()
{
    AdvanceSettings& settings = AdvanceSettings::Instance();
    const bool enabled = !settings.IsBalloonTipsEnabled();
    CheckMenuItem(menu_.Get(), kMenuBalloonTips, MF_BYCOMMAND | (enabled ? MF_CHECKED : MF_UNCHECKED));
    settings.SetBalloonTipsEnabled(enabled);
    if (!enabled)
        HideBalloon();
}

void TrayController::ToggleRunAtStartup()
{
    AdvanceSettings& settings = AdvanceSettings::Instance();
    const bool run = !settings.IsRunAtStartup();
    CheckMenuItem(menu_.Get(), kMenuRunAtStartup, MF_BYCOMMAND | (run ? MF_CHECKED : MF_UNCHECKED));
    settings.SetRunAtStartup(run);
}

void TrayController::Exit()
{
    if (!services_.IsOverclocked() && services_.CurrentLevel() != GearLevel::HighPerformance) {
        if (services_.IsDialogShown()) {
            // One dialog at a time, and the exit must not be lost: the open
            // one goes as if closed, and the exit asks once it is gone.
            services_.CloseDialog();
            services_.RunLater([this] { Exit(); });
            return;
        }
        if (services_.ConfirmExit() == kConfirmExitNo)
            return;
        services_.SetMode(GearLevel::HighPerformance, true);
        CountModeChange(ModeChangeCause::Tray);
    }
    services_.ExitProgram();
}

void TrayController::StartBalloonTimer(UINT intervalMs)
{
    if (!balloonTimer_)
        return;
    balloonTimer_->SetInterval(intervalMs);
    balloonTimer_->SetEnabled(true);
    balloonTimerRunning_ = true;
}

void TrayController::StopBalloonTimer()
{
    if (!balloonTimer_)
        return;
    balloonTimer_->SetEnabled(false);
    balloonTimerRunning_ = false;
}

void TrayController::HideBalloon()
{
    ExclusiveLock lock(iconLock_);
    if (icon_)
        icon_->ShowBalloon(false);
}

void TrayController::BalloonTimerTimer()
{
    HideBalloon();
    StopBalloonTimer();
}

void TrayController::OwnerGone()
{
    balloonTimer_ = nullptr;
    balloonTimerRunning_ = false;
    owner_ = nullptr;
    RemoveIcon();
}

void TrayController::RemoveIcon()
{
    ExclusiveLock lock(iconLock_);
    icon_.reset();
    iconHandle_.Reset();
}
