#include "app/MainForm.h"

#include "app/AutoAllowed.h"
#include "app/BroadcastMessage.h"
#include "app/ControlChannel.h"
#include "app/ForceForeground.h"
#include "app/IdleAction.h"
#include "app/MainAutomation.h"
#include "app/MainAutomationPage.h"
#include "app/MainEnergyDisplay.h"
#include "app/MainGearDial.h"
#include "app/MainMetrics.h"
#include "app/MessageFilter.h"
#include "app/ModePolicy.h"
#include "app/ProgramExit.h"
#include "app/PrivateMessages.h"
#include "app/SessionEnd.h"
#include "app/StartupChecks.h"
#include "app/SystemServiceNotify.h"
#include "app/TrayController.h"
#include "app/WindowSizeGuard.h"
#include "automation/AutomationEngine.h"
#include "engine/AdvanceSettings.h"
#include "engine/CalibrationProfile.h"
#include "engine/CalibrationProfileCheck.h"
#include "engine/CpuPowerMonitor.h"
#include "engine/ModeChangeCause.h"
#include "engine/ModeModel.h"
#include "engine/ModeRequest.h"
#include "VtPackage/VtRegistration.h"
#include "framework/TApplication.h"
#include "framework/layout/LayoutReader.h"
#include "hw/CpuVentryLibForTamsel.h"
#include "kelp/System/Language.h"
#include "screens/cpuform/TCpuForm.h"
#include "screens/dialogs/DialogService.h"

#include <atomic>

TMainForm* MainForm = nullptr;

namespace {

constexpr unsigned kEnergySavingMs = 5000;
constexpr unsigned kIdleMs = 5000;
constexpr unsigned kInitGearModeMs = 60000;
constexpr unsigned kRegisterNotifyMs = 3000;
constexpr unsigned kRestoreGearMs = 3500;

// Pipe events of message 1054.
constexpr WPARAM kVgaConnected = 0;
constexpr WPARAM kVgaDisconnected = 1;
constexpr WPARAM kVgaSyncChanged = 4096;
constexpr WPARAM kVgaModeChanged = 4097;

// The refusal to show the window, if any: first match wins.
const char* RefusalKey()
{
    if (CpuPowerMonitor::Instance().IsOverclocked()) {
        if (IsBiosOverclocked())
            return LANG_KEY("CanNotRunUnderBiosOc");
        if (IsSplintRunning())
            return LANG_KEY("CanNotRunUnderApOc");
        return LANG_KEY("CanNotRunUnderOverclockingmode");
    }
    if (IsSuiteRunning())
        return LANG_KEY("CanNotRunUnderCorvex");
    if (IsSplintVisible())
        return LANG_KEY("CanNotRunUnderSplint");
    return nullptr;
}

} // namespace

TMainForm::TMainForm(TComponent* owner)
    : TForm(owner),
      EnergySavingTimer(CreateTimer("EnergySavingTimer", kEnergySavingMs)),
      IdleTimer(CreateTimer("IdleTimer", kIdleMs)),
      InitGearModeTimer(CreateTimer("InitGearModeTimer", kInitGearModeMs)),
      RegisterNotifyTimer(CreateTimer("RegisterNotifyTimer", kRegisterNotifyMs)),
      RestoreGearTimer(CreateTimer("RestoreGearTimer", kRestoreGearMs)),
      restore_(*InitGearModeTimer),
      powerEvents_(*RestoreGearTimer),
      // The artwork is read before anything touches the hardware, so that a
      // damaged installation stops the program with the settings untouched.
      skin_(StreamLayout()),
      dial_(MainGearDial(*this)),
      policies_(skin_, restore_)
{
    SetCaption(kMainFormCaption);
    // Other instances and programs address the window while it is hidden.
    HandleNeeded();

    BroadcastMessageNumber();
    appMessageHook_ = Application().AddMessageHook([this](MSG& msg, bool& handled) { AppMessage(msg, handled); });
    // Other programs of the suite may run with lower integrity.
    AllowFromLowerIntegrity({BroadcastMessageNumber(), kMsgHighPerformance, kMsgMediumSaving, kMsgMaxSaving, kMsgTurbo, kMsgAuto});

    CpuPowerMonitor& monitor = CpuPowerMonitor::Instance();
    monitor.PlugHost(this);
    PlugCalibrationHost(this);
    monitor.Start();
    // The board's fan library, over the power-gear library: the mode
    // changes drive the fans through it, and the fan chip asks it how the
    // chip's registers are reached. The nap library's own fan library has
    // no use here (the program never sets the nap library's levels).
    kelp::CpuVentryLibForTamsel::Instance();

    AdvanceSettings& settings = AdvanceSettings::Instance();
    // A stored calibration profile that no longer matches the board's
    // settings asks for a new calibration.
    PlugCalibrationProfileCheck(&CalibrationProfileDiffers);
    settings.CheckCalibrationProfileAtStart();
    // An interrupted calibration or mode change may have left the hardware
    // settings half applied.
    if (!settings.IsCalibration_FlagClear() || !settings.IsGear_FlagClear()) {
        backToDefaultPending_ = true;
        settings.ResetToDefaults();
    }
    settings.ClearCalibration_Flag();
    settings.ClearGear_Flag();
}

TMainForm::~TMainForm()
{
    // Unplugged before anything goes: a mode worker asks the host and the
    // form (the restore timer) for the current level.
    CpuPowerMonitor::Instance().PlugHost(nullptr);
    TMainForm* self = this;
    std::atomic_ref(MainForm).compare_exchange_strong(self, nullptr);
    DoDestroy();
    Destroying();
    Application().RemoveMessageHook(appMessageHook_);
    PlugCalibrationHost(nullptr);
}

TTimer* TMainForm::CreateTimer(const char* name, unsigned intervalMs)
{
    // The layout finds the timer by name and binds its handler.
    auto* timer = new TTimer(this);
    timer->SetName(name);
    timer->SetEnabled(false);
    timer->SetInterval(intervalMs);
    return timer;
}

TForm& TMainForm::StreamLayout()
{
    TClassRegistry& registry = TClassRegistry::Instance();
    RegisterVtComponents();
    if (!registry.Find(kMainFormClass))
        registry.Register(kMainFormClass, "TForm");

    THandlerTable handlers;
    handlers.Publish<TNotifyEvent>("FormShow", [this](TObject*) { FormShow(); });
    handlers.Publish<TCloseEvent>("FormClose", [this](TObject*, TCloseAction&) { Hide(); });
    handlers.Publish<TNotifyEvent>("FormDestroy", [this](TObject*) { FormDestroy(); });
    const std::pair<const char*, void (TMainForm::*)()> timers[] = {
        {"EnergySavingTimerTimer", &TMainForm::EnergySavingTimerTimer},
        {"IdleTimerTimer", &TMainForm::IdleTimerTimer},
        {"InitGearModeTimerTimer", &TMainForm::InitGearModeTimerTimer},
        {"RegisterNotifyTimerTimer", &TMainForm::RegisterNotifyTimerTimer},
        {"RestoreGearTimerTimer", &TMainForm::RestoreGearTimerTimer},
    };
    for (const auto& [name, handler] : timers)
        handlers.Publish<TNotifyEvent>(name, [this, handler](TObject*) { (this->*handler)(); });
    ReadFormLayout(*this, handlers);
    return *this;
}

void TMainForm::StartUp(bool bootFlag)
{
    CpuPowerMonitor& monitor = CpuPowerMonitor::Instance();
    monitor.StartPipeServer(Handle(), kMsgPipeEvent);

    SetUpSkin();

    TrayController& tray = TrayController::Instance();
    tray.Create(this, kMsgTrayNotify);
    tray.SetRestoreHandler([this] { ShowMainWindow(); });

    EnergySavingTimer->SetEnabled(true);
    IdleTimer->SetEnabled(true);
    restore_.Run(bootFlag);

    if (monitor.IsAcpiV3() && !RegisterServiceNotify(Handle()))
        RegisterNotifyTimer->SetEnabled(true);
    StartControlChannel(*this);
    StartMainAutomation(*this);
    policies_.StartUp();
}

void TMainForm::SetUpSkin()
{
    skin_.SetUp();
    skin_.CloseButton().OnClick = [this](TObject*) { Hide(); };
    skin_.Texts().exitButton->OnClick = [this](TObject*) { Hide(); };
    skin_.MinimizeButton().OnClick = [](TObject*) { Application().Minimize(); };
    dial_.Attach(skin_.DialParts());
    energy_ = &MainEnergyDisplay(*this, *CpuForm);
    energy_->Attach();
    AttachAutomationButton(*this);
    CpuForm->SetOnShowRefresh([this] { energy_->Refresh(); });
    SetDoubleBuffered(true);
}

void TMainForm::FormShow()
{
    skin_.LoadTextsForShow();
    policies_.ShowManaged();
    // The mode and the figures may have changed while the window was hidden.
    dial_.Refresh();
    energy_->Refresh();
}

void TMainForm::FormDestroy()
{
    ReleaseGearUnlessOverclocked(CpuPowerMonitor::Instance().IsOverclocked());
}

void TMainForm::ShowMainWindow()
{
    DialogService& dialogs = DialogService::Instance();
    if (dialogs.IsDialogShown())
        return;
    if (Visible())
        ForceForeground(Handle());

    if (const char* refusal = RefusalKey()) {
        dialogs.Notice(kelp::Translate(refusal));
        return;
    }
    if (IsGruvoMissing()) {
        dialogs.Notice(kelp::Translate("GruvoNotInstalled"));
        MarkGruvoNoticeShown();
    }
    if (CheckFirstRun()) {
        dialogs.FirstRunCalibration();
    } else if (backToDefaultPending_) {
        backToDefaultPending_ = false;
        dialogs.BackToDefault();
    }
    Show();
    Application().Restore();
    ForceForeground(Handle());
    TrayController::Instance().RefreshIcon();
}

void TMainForm::Refresh(int code)
{
    if (code != kRefreshMode)
        return;
    CpuPowerMonitor::Instance().OnModeRefresh();
    TrayController& tray = TrayController::Instance();
    tray.RefreshIcon();
    tray.UpdateBalloon();
    RedrawGearDial();
}

bool TMainForm::IsAutoAllowed()
{
    return ::IsAutoAllowed();
}

void TMainForm::WndProc(TMessage& message)
{
    if (HandleTaggedMessage(message) || HandleModeMessage(message) ||
        HandleControlMessage(message.Msg, message.WParam, message.LParam))
        return;
    if (message.Msg == TrayController::TaskbarCreatedMessage() && message.Msg != 0) {
        // The shell restarted and lost the icon.
        TrayController::Instance().OnTaskbarCreated();
        return;
    }
    switch (message.Msg) {
    case WM_ENDSESSION:
        EndSession(message.WParam != FALSE);
        break;
    case WM_WINDOWPOSCHANGING:
        GuardWindowSize(message);
        break;
    case WM_HOTKEY:
        if (automation::AutomationEngine* automation = MainAutomation(); automation && automation->OnHotkey(message.WParam))
            return;
        break;
    case WM_POWERBROADCAST:
        powerEvents_.OnPowerBroadcast(message.WParam);
        break;
    case WM_SETTINGCHANGE:
        policies_.OnSettingChange(message.LParam);
        break;
    case WM_CLOSE:
        // The window's close box hides it; the program keeps running.
        Hide();
        return;
    case kMsgTrayNotify:
        TrayController::Instance().OnNotify(message.LParam);
        return;
    default:
        break;
    }
    TForm::WndProc(message);
}

bool TMainForm::HandleTaggedMessage(TMessage& message)
{
    if (message.WParam != kMessageTag)
        return false;
    switch (message.Msg) {
    case kMsgExit:
        ExitProgram();
        return true;
    case kMsgMinimize:
        Application().Minimize();
        return true;
    case kMsgRestore:
    case kMsgShowMainWindow:
        ShowMainWindow();
        return true;
    case kMsgForeground:
        SetForegroundWindow(Handle());
        return true;
    case kMsgRefresh:
        Refresh(int(message.LParam));
        return true;
    default:
        return false;
    }
}

bool TMainForm::HandleModeMessage(const TMessage& message)
{
    switch (message.Msg) {
    case kMsgPipeEvent:
        OnPipeEvent(message.WParam);
        return true;
    // Other programs' requests are the user's: the policies may refuse them.
    case kMsgHighPerformance:
        if (!modepolicy::RefuseUserMode(GearLevel::HighPerformance))
            powerEvents_.ReturnToHighPerformance();
        return true;
    case kMsgMediumSaving:
        if (!modepolicy::RefuseUserMode(GearLevel::MediumSaving)) {
            SetMode(GearLevel::MediumSaving, true);
            CountModeChange(ModeChangeCause::Tray);
        }
        return true;
    case kMsgMaxSaving:
        if (!modepolicy::RefuseUserMode(GearLevel::MaxSaving)) {
            SetMode(GearLevel::MaxSaving, true);
            CountModeChange(ModeChangeCause::Tray);
        }
        return true;
    case kMsgTurbo:
        if (!modepolicy::RefuseUserMode(GearLevel::Turbo)) {
            SetMode(GearLevel::Turbo, true);
            CountModeChange(ModeChangeCause::Tray);
        }
        return true;
    case kMsgAuto:
        if (!modepolicy::RefuseUserMode(GearLevel::Auto))
            SelectAuto();
        return true;
    default:
        return false;
    }
}

void TMainForm::OnPipeEvent(WPARAM event)
{
    CpuPowerMonitor& monitor = CpuPowerMonitor::Instance();
    switch (event) {
    case kVgaConnected:
        monitor.OnVgaConnected();
        break;
    case kVgaDisconnected:
        monitor.OnVgaDisconnected();
        break;
    case kVgaSyncChanged:
        monitor.OnVgaSyncChanged();
        break;
    case kVgaModeChanged:
        monitor.OnVgaModeChanged();
        break;
    default:
        break;
    }
}

void TMainForm::AppMessage(MSG& msg, bool& handled)
{
    if (msg.hwnd != Application().Handle())
        return;
    switch (DecodeBroadcast(BroadcastMessageNumber(), msg.message, msg.wParam)) {
    case BroadcastRequest::Refresh:
        Refresh(int(msg.lParam));
        handled = true;
        return;
    case BroadcastRequest::RefreshTray:
        TrayController::Instance().Refresh();
        RedrawGearDial();
        handled = true;
        return;
    case BroadcastRequest::None:
        break;
    }
    if (msg.message == WM_SYSCOMMAND && (msg.wParam & 0xFFF0) == SC_CLOSE) {
        Hide();
        handled = true;
    }
}

void TMainForm::ExitProgram()
{
    if (PrepareExit(Handle())) {
        Close();
        return;
    }
    // What closing would do to the gear, without freeing a single object
    // the running mode change may still use.
    ReleaseGearUnlessOverclocked(CpuPowerMonitor::Instance().IsOverclocked());
    EndProcessNow();
}

void TMainForm::EndSession(bool ending)
{
    // Until the system ends the process nothing may bring the black screen
    // back.
    if (ending)
        IdleTimer->SetEnabled(false);
    if (!OnEndSession(ending))
        EndProcessNow();
}

void TMainForm::EndProcessNow()
{
    Hide();
    TrayController::Instance().RemoveIcon();
    TerminateProcess(GetCurrentProcess(), 0);
}

void TMainForm::SelectAuto()
{
    if (IsAutoAllowed() || DialogService::Instance().RunCalibration() == 1) {
        SetMode(GearLevel::Auto, true);
        CountModeChange(ModeChangeCause::Tray);
    }
}

void TMainForm::GuardWindowSize(TMessage& message)
{
    auto* position = reinterpret_cast<WINDOWPOS*>(message.LParam);
    if (!position || IsDestroying())
        return;
    const TBitmap& background = skin_.Background().Picture();
    // Until the skin is set up there is no background size to keep.
    if (background.Empty())
        return;
    if (KeepBackgroundSize(*position, {Width(), Height()}, {ClientWidth(), ClientHeight()},
                           {background.Width(), background.Height()}))
        Invalidate();
}

void TMainForm::EnergySavingTimerTimer()
{
    policies_.WatchRefreshes();
    TickMetrics(CpuPowerMonitor::Instance().Sample(double(EnergySavingTimer->Interval() / 1000)));
    energy_->Refresh();
    // The program rules and the schedule are looked at on the same tick.
    if (automation::AutomationEngine* automation = MainAutomation())
        automation->Tick();
}

void TMainForm::IdleTimerTimer()
{
    RunIdleAction();
}

void TMainForm::InitGearModeTimerTimer()
{
    restore_.TimerTimer();
}

void TMainForm::RegisterNotifyTimerTimer()
{
    if (RegisterServiceNotify(Handle()))
        RegisterNotifyTimer->SetEnabled(false);
}

void TMainForm::RestoreGearTimerTimer()
{
    powerEvents_.RestoreGearTimerTimer();
}

bool TMainForm::IsRestorePending(int& level)
{
    return restore_.IsPending(level);
}

void TMainForm::EnableVgaButton(bool enable)
{
    // The button opens the form telling that no supported graphics card
    // was found; a card that saves with the board disables it.
    skin_.VgaButton().SetEnabled(enable);
    dial_.RefreshVgaLamp();
}

void TMainForm::RedrawGearDial()
{
    dial_.Refresh();
}

void TMainForm::StopEnergySavingTimer()
{
    EnergySavingTimer->SetEnabled(false);
}

void TMainForm::StartEnergySavingTimer()
{
    EnergySavingTimer->SetEnabled(true);
}
