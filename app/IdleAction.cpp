#include "app/IdleAction.h"

#include "app/PrivateMessages.h"
#include "engine/CpuPowerMonitor.h"
#include "engine/IdleWatcher.h"
#include "engine/ModeModel.h"
#include "screens/blackscreen/BlackScreenGuard.h"

#include <windows.h>

namespace {
constexpr UINT kMsgNap = WM_USER + 16; // 1040, to the nap utility
constexpr LPARAM kNapNow = 1;
// A nap utility that hangs must not stop this program's message loop.
constexpr UINT kNapSendTimeoutMs = 5000;

void AskNapUtility()
{
    HWND nap = FindWindowA("TMainForm", "Dozla");
    if (!nap || CpuPowerMonitor::Instance().LibraryLevel() == GearLevel::Unknown)
        return;
    DWORD_PTR result = 0;
    SendMessageTimeoutA(nap, kMsgNap, kMessageTag, kNapNow, SMTO_ABORTIFHUNG, kNapSendTimeoutMs, &result);
}
} // namespace

void RunIdleAction()
{
    if (!IdleWatcher::Instance().Poll())
        return;
    if (CpuPowerMonitor::Instance().IsAcpiV2())
        BlackScreenGuard::Instance().Enter();
    else
        AskNapUtility();
}
