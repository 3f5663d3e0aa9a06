#include "framework/TThread.h"

#include "framework/FrameworkMessages.h"
#include "framework/TApplication.h"
#include "framework/system/ProcessWide.h"
#include "framework/system/ThreadStack.h"

#include <mutex>
#include <process.h>
#include <set>
#include <stdexcept>

namespace {

// Threads whose end notice is on its way to the main thread. A thread
// object deleted before the notice arrives leaves the set, so the notice
// is then ignored instead of touching a freed object.
struct PendingNotices {
    std::mutex lock;
    std::set<TThread*> threads;
};

PendingNotices& Pending()
{
    static ProcessWide<PendingNotices> pending;
    return *pending;
}

bool OnMainThread()
{
    return GetCurrentThreadId() == Application().MainThreadId();
}

} // namespace

TThread::TThread(bool createSuspended) : m_notifyWindow(Application().Handle())
{
    Pending();  // constructed before any worker can need it
    unsigned id = 0;
    HANDLE handle = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &TThread::ThreadProc, this, CREATE_SUSPENDED, &id));
    if (!handle)
        throw std::runtime_error("Cannot create thread");
    m_handle.Reset(handle);
    m_threadId = id;
    if (!createSuspended)
        Start();
}

TThread::~TThread()
{
    if (!m_finished) {
        Terminate();
        Start();
        WaitForEnd();
    } else {
        WaitForSingleObject(m_handle.Get(), INFINITE);
    }
    std::lock_guard<std::mutex> guard(Pending().lock);
    Pending().threads.erase(this);
}

void TThread::Start()
{
    if (!m_started.exchange(true))
        ResumeThread(m_handle.Get());
}

int TThread::WaitFor()
{
    if (!m_started)
        throw std::logic_error("Cannot wait for a thread that was not started");
    WaitForEnd();
    return m_returnValue;
}

void TThread::WaitForEnd()
{
    HANDLE handle = m_handle.Get();
    if (!OnMainThread()) {
        WaitForSingleObject(handle, INFINITE);
        return;
    }
    // The body may be waiting in Synchronize for this very thread.
    while (MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    }
}

unsigned __stdcall TThread::ThreadProc(void* parameter)
{
    auto* thread = static_cast<TThread*>(parameter);
    ReleaseUnusedStack();
    if (!thread->m_terminated) {
        try {
            thread->Execute();
        } catch (...) {
            thread->m_fatalException = std::current_exception();
        }
    }
    const bool notify = thread->m_freeOnTerminate || thread->OnTerminate;
    const HWND window = thread->m_notifyWindow;
    if (notify) {
        std::lock_guard<std::mutex> guard(Pending().lock);
        Pending().threads.insert(thread);
    }
    // From here on the object may be freed at any moment.
    thread->m_finished = true;
    if (notify)
        PostMessageA(window, CM_THREADTERMINATED, 0, reinterpret_cast<LPARAM>(thread));
    return 0;
}

void TThread::HandleTerminated(TThread* thread)
{
    {
        std::lock_guard<std::mutex> guard(Pending().lock);
        if (Pending().threads.erase(thread) == 0)
            return;
    }
    std::exception_ptr error;
    try {
        thread->DoTerminate();
    } catch (...) {
        error = std::current_exception();
    }
    if (thread->m_freeOnTerminate)
        delete thread;
    if (error)
        std::rethrow_exception(error);
}

void TThread::DoTerminate()
{
    if (OnTerminate)
        OnTerminate(this);
}

void TThread::Synchronize(const std::function<void()>& call)
{
    if (OnMainThread()) {
        call();
        return;
    }
    std::exception_ptr error;
    const std::function<void()> guarded = [&]() {
        try {
            call();
        } catch (...) {
            error = std::current_exception();
        }
    };
    SendMessageA(Application().Handle(), CM_SYNCHRONIZE, 0, reinterpret_cast<LPARAM>(&guarded));
    if (error)
        std::rethrow_exception(error);
}
