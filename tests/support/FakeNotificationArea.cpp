#include "tests/support/FakeNotificationArea.h"

#include <chrono>

namespace traytest {
namespace {

constexpr const char* kTaskbarClass = "Shell_TrayWnd";

std::string Utf8(const std::u16string& text)
{
    if (text.empty())
        return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.c_str());
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size_t(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, int(text.size()), out.data(), bytes, nullptr, nullptr);
    return out;
}

} // namespace

FakeNotificationArea::FakeNotificationArea()
{
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this, ready] { Run(ready); });
    WaitForSingleObject(ready, 10000);
    CloseHandle(ready);
}

FakeNotificationArea::~FakeNotificationArea()
{
    if (window_)
        PostMessageA(window_, WM_CLOSE, 0, 0);
    else if (threadId_)
        PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    thread_.join();
}

void FakeNotificationArea::Run(HANDLE ready)
{
    threadId_ = GetCurrentThreadId();
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kTaskbarClass;
    // A second area in the same test process reuses the class.
    RegisterClassA(&windowClass);
    // Top-level, since the shell searches the desktop's children; hidden.
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, kTaskbarClass, nullptr, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              windowClass.hInstance, nullptr);
    if (window_)
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetEvent(ready);
    MSG message;
    while (window_ && GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

LRESULT CALLBACK FakeNotificationArea::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<FakeNotificationArea*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_COPYDATA: {
        const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (!self || !copy)
            return FALSE;
        const auto record = DecodeNotifyRecord(static_cast<const uint8_t*>(copy->lpData), copy->cbData);
        return record && self->Receive(DWORD(copy->dwData), *record);
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

// Answers as a shell does: an icon is added once, and only an added icon
// can be modified, deleted or given a behaviour version.
bool FakeNotificationArea::Receive(DWORD command, const NotifyRecord& record)
{
    std::lock_guard<std::mutex> lock(mutex_);
    ShownIcon& icon = icons_[{record.window, record.id}];
    const bool accepted = command == kNotifyAdd ? !icon.shown
                          : command == kNotifyModify || command == kNotifyDelete || command == kNotifySetVersion
                              ? icon.shown
                              : false;
    if (!accepted)
        return false;
    if (command != kNotifySetVersion)
        icon.lastCommand = command;
    icon.shown = command != kNotifyDelete;
    if (record.flags & kNotifyTip)
        icon.tip = Utf8(record.tip);
    if (record.flags & kNotifyInfo) {
        icon.balloon = Utf8(record.balloon);
        icon.balloonTitle = Utf8(record.balloonTitle);
    }
    if (record.flags & kNotifyIcon)
        icon.icon = record.icon;
    ++icon.updates;
    changed_.notify_all();
    return true;
}

std::optional<ShownIcon> FakeNotificationArea::Icon(HWND owner, UINT id) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = icons_.find({uint32_t(reinterpret_cast<uintptr_t>(owner)), id});
    if (found == icons_.end() || !found->second.updates)
        return std::nullopt;
    return found->second;
}

bool FakeNotificationArea::WaitFor(HWND owner, UINT id, const std::function<bool(const ShownIcon&)>& condition,
                                   DWORD timeoutMs) const
{
    const Key key{uint32_t(reinterpret_cast<uintptr_t>(owner)), id};
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        const auto found = icons_.find(key);
        return found != icons_.end() && found->second.updates && condition(found->second);
    });
}

} // namespace traytest
