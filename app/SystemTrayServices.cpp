#include "app/SystemTrayServices.h"

#include "app/MainAutomationPage.h"
#include "app/MainForm.h"
#include "app/TrayController.h"
#include "engine/CpuPowerMonitor.h"
#include "engine/ModeRequest.h"
#include "framework/TApplication.h"
#include "framework/TTimer.h"
#include "framework/system/ProcessWide.h"
#include "kelp/vantor/PowerGear.h"
#include "screens/dialogs/DialogService.h"

#include <atomic>
#include <utility>

TrayController& TrayController::Instance()
{
    static ProcessWide<SystemTrayServices> services;
    static ProcessWide<TrayController> tray(*services);
    static const bool plugged = (tray->PlugIntoModeEngine(), true);
    (void)plugged;
    return *tray;
}

bool SystemTrayServices::IsOverclocked()
{
    return CpuPowerMonitor::Instance().IsOverclocked();
}

int SystemTrayServices::CurrentLevel()
{
    return CpuPowerMonitor::Instance().CurrentLevel();
}

bool SystemTrayServices::IsRestorePending()
{
    // Read from the mode worker too; the timer's state is a plain flag.
    const TMainForm* form = std::atomic_ref(MainForm).load();
    return form && form->InitGearModeTimer && form->InitGearModeTimer->Enabled();
}

int SystemTrayServices::AutoGear()
{
    return kelp::PowerGear::Instance().GetAutoGear();
}

bool SystemTrayServices::IsTweakDisabled()
{
    return CpuPowerMonitor::Instance().IsTweakDisabled();
}

int SystemTrayServices::ConfirmExit()
{
    return DialogService::Instance().ConfirmExit();
}

bool SystemTrayServices::IsDialogShown()
{
    return DialogService::Instance().IsDialogShown();
}

void SystemTrayServices::CloseDialog()
{
    DialogService::Instance().CloseDialog();
}

void SystemTrayServices::RunLater(std::function<void()> call)
{
    Application().Queue(std::move(call));
}

void SystemTrayServices::SetMode(int level, bool fullApply)
{
    ::SetMode(level, fullApply);
}

void SystemTrayServices::ExitProgram()
{
    if (MainForm)
        MainForm->ExitProgram();
}

UINT SystemTrayServices::PopupMenu(HMENU menu, HWND owner, POINT at)
{
    return static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, 0,
                                            owner, nullptr));
}

void SystemTrayServices::ShowAutomationPage()
{
    ::ShowAutomationPage();
}
