#include "framework/TApplication.h"

#include "framework/FrameworkMessages.h"
#include "framework/TForm.h"
#include "framework/TThread.h"
#include "framework/system/ThreadStack.h"
#include "framework/system/Trace.h"

#include <algorithm>
#include <iterator>

namespace {

std::string ExecutableBaseName()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name = path;
    const auto slash = name.find_last_of("\\/");
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name;
}

} // namespace

TApplication& Application()
{
    static TApplication application;
    return application;
}

TApplication::TApplication()
    : TComponent(nullptr),
      m_window([this](TMessage& message) { return WindowProcedure(message); }, "TApplication", true),
      m_mainThreadId(GetCurrentThreadId()),
      m_title(ExecutableBaseName())
{
}

TApplication::~TApplication()
{
    Destroying();
}

void TApplication::Initialize()
{
    SetWindowTextA(Handle(), m_title.c_str());
}

void TApplication::SetTitle(const std::string& title)
{
    m_title = title;
    SetWindowTextA(Handle(), m_title.c_str());
}

void TApplication::Run()
{
    m_terminated = false;
    try {
        if (m_mainForm && m_showMainForm)
            m_mainForm->Show();
    } catch (...) {
        HandleException(std::current_exception());
    }
    // Start-up is over: the loop needs only a little of what it used.
    ReleaseUnusedStack();
    while (!m_terminated) {
        try {
            HandleMessage();
        } catch (...) {
            HandleException(std::current_exception());
        }
    }
    DestroyComponents();
    m_terminated = false;  // a later Run (tests) starts afresh
}

void TApplication::Terminate()
{
    if (GetCurrentThreadId() == m_mainThreadId)
        PostQuitMessage(0);
    else
        PostThreadMessageA(m_mainThreadId, WM_QUIT, 0, 0);
}

bool TApplication::ProcessMessage()
{
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (msg.message == WM_QUIT) {
        m_terminated = true;
        return true;
    }
    bool handled = false;
    // A hook may add or remove hooks while it runs.
    const auto hooks = m_hooks;
    for (const auto& hook : hooks) {
        hook.second(msg, handled);
        if (handled)
            return true;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

void TApplication::ProcessMessages()
{
    while (ProcessMessage()) {
    }
}

void TApplication::HandleMessage()
{
    if (ProcessMessage())
        return;
    if (m_watched.empty()) {
        WaitMessage();
        return;
    }
    HANDLE handles[MAXIMUM_WAIT_OBJECTS - 1];
    const DWORD count = DWORD(std::min(m_watched.size(), std::size(handles)));
    for (DWORD i = 0; i < count; ++i)
        handles[i] = m_watched[i].handle;
    // Input already queued ends the wait too, as WaitMessage would.
    const DWORD woken = MsgWaitForMultipleObjectsEx(count, handles, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (woken < WAIT_OBJECT_0 + count) {
        // A copy: the handler may unwatch its handle.
        const std::function<void()> signalled = m_watched[woken - WAIT_OBJECT_0].signalled;
        if (signalled)
            signalled();
    }
}

int TApplication::WatchHandle(HANDLE handle, std::function<void()> signalled)
{
    const int id = m_nextHookId++;
    m_watched.push_back({id, handle, std::move(signalled)});
    return id;
}

void TApplication::UnwatchHandle(int id)
{
    std::erase_if(m_watched, [id](const WatchedHandle& watched) { return watched.id == id; });
}

void TApplication::Queue(std::function<void()> call)
{
    m_queued.push_back(std::move(call));
    // A post that fails (a full queue) leaves the call for the next one.
    PostMessageA(Handle(), CM_QUEUED, 0, 0);
}

void TApplication::RunQueued()
{
    // The calls may queue further calls; those wait for their own message.
    std::vector<std::function<void()>> calls;
    calls.swap(m_queued);
    for (const auto& call : calls) {
        try {
            call();
        } catch (...) {
            HandleException(std::current_exception());
        }
    }
}

void TApplication::Minimize()
{
    // Minimising a hidden window would show it, as a taskbar button.
    if (m_mainForm && m_mainForm->HandleAllocated() && IsWindowVisible(m_mainForm->Handle()) &&
        !IsIconic(m_mainForm->Handle())) {
        ShowWindow(m_mainForm->Handle(), SW_MINIMIZE);
        if (OnMinimize)
            OnMinimize(this);
    }
}

void TApplication::Restore()
{
    if (m_mainForm && m_mainForm->HandleAllocated() && IsIconic(m_mainForm->Handle())) {
        ShowWindow(m_mainForm->Handle(), SW_RESTORE);
        if (OnRestore)
            OnRestore(this);
    }
}

void TApplication::ActivationChanged(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    const TNotifyEvent& handler = active ? OnActivate : OnDeactivate;
    if (handler)
        handler(this);
}

int TApplication::AddMessageHook(TMessageEvent hook)
{
    const int id = m_nextHookId++;
    m_hooks.emplace_back(id, std::move(hook));
    return id;
}

void TApplication::RemoveMessageHook(int id)
{
    m_hooks.erase(std::remove_if(m_hooks.begin(), m_hooks.end(), [id](const auto& hook) { return hook.first == id; }),
                  m_hooks.end());
}

void TApplication::HandleException(std::exception_ptr error)
{
    std::string message = "Unknown exception";
    try {
        std::rethrow_exception(error);
    } catch (const EPictureError& exception) {
        if (OnPictureError) {
            Trace("~~~Picture error: %s", exception.what());
            OnPictureError(exception);
            return;
        }
        message = exception.what();
    } catch (const std::exception& exception) {
        message = exception.what();
    } catch (...) {
    }
    Trace("~~~Exception: %s", message.c_str());
    if (OnException)
        OnException(this, message);
    else
        ShowException(message);
}

void TApplication::ShowException(const std::string& message)
{
    MessageBoxA(nullptr, message.c_str(), m_title.c_str(), MB_OK | MB_ICONERROR);
}

void TApplication::Notification(TComponent* component, TOperation operation)
{
    if (operation == TOperation::Remove && component == m_mainForm)
        m_mainForm = nullptr;
}

bool TApplication::WindowProcedure(TMessage& message)
{
    switch (message.Msg) {
    case CM_THREADTERMINATED:
        TThread::HandleTerminated(reinterpret_cast<TThread*>(message.LParam));
        return true;
    case CM_SYNCHRONIZE:
        (*reinterpret_cast<const std::function<void()>*>(message.LParam))();
        return true;
    case CM_QUEUED:
        RunQueued();
        return true;
    case WM_ACTIVATEAPP:
        ActivationChanged(message.WParam != 0);
        return false;
    case WM_CLOSE:
        if (OnClose)
            OnClose(this);
        else if (m_mainForm)
            m_mainForm->Close();
        return true;
    default:
        return false;
    }
}
