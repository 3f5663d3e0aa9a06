#include "app/SingleInstance.h"

#include "app/MainForm.h"
#include "app/PrivateMessages.h"
#include "framework/TKernelHandle.h"

bool ClaimSingleInstance()
{
    // Held, never released, for the life of the process.
    static TKernelHandle mutex;
    mutex.Reset(CreateMutexA(nullptr, TRUE, kInstanceName));
    if (GetLastError() != ERROR_ALREADY_EXISTS)
        return true;
    // A first instance that is still starting has no window yet: then this
    // one just leaves.
    if (HWND running = FindWindowA(kMainFormClass, kMainFormCaption)) {
        AllowSetForegroundWindow(ASFW_ANY);
        SendMessageA(running, kMsgShowMainWindow, kMessageTag, 0);
    }
    return false;
}
