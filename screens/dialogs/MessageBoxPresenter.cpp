#include "screens/dialogs/MessageBoxPresenter.h"

#include "framework/TApplication.h"

namespace {

// Captions for the buttons of the box about to open on this thread.
struct ButtonCaptions {
    const char* ok = nullptr;
    const char* cancel = nullptr;
    HHOOK hook = nullptr;
};
thread_local ButtonCaptions* pendingCaptions = nullptr;

LRESULT CALLBACK RenameButtons(int code, WPARAM wParam, LPARAM lParam)
{
    ButtonCaptions* captions = pendingCaptions;
    if (captions && code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wParam);
        if (captions->ok)
            SetDlgItemTextA(box, IDOK, captions->ok);
        SetDlgItemTextA(box, captions->ok ? IDCANCEL : IDOK, captions->cancel);
        // Only the first activation is the box's own.
        pendingCaptions = nullptr;
    }
    return CallNextHookEx(captions ? captions->hook : nullptr, code, wParam, lParam);
}

} // namespace

int MessageBoxPresenter::Ask(const std::string& message, const std::optional<std::string>& left, const std::string& right)
{
    ButtonCaptions captions;
    captions.ok = left ? left->c_str() : nullptr;
    captions.cancel = right.c_str();
    captions.hook = SetWindowsHookExA(WH_CBT, RenameButtons, nullptr, GetCurrentThreadId());
    pendingCaptions = &captions;

    ++shown_;
    const UINT buttons = left ? MB_OKCANCEL : MB_OK;
    const int answer = MessageBoxA(nullptr, message.c_str(), Application().Title().c_str(),
                                   buttons | MB_TOPMOST | MB_SETFOREGROUND | MB_TASKMODAL);
    --shown_;

    pendingCaptions = nullptr;
    if (captions.hook)
        UnhookWindowsHookEx(captions.hook);
    // A box with one button answers with the right-hand answer.
    return left && answer == IDOK ? 1 : 2;
}
