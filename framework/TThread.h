#pragma once
// A worker thread. Created suspended or running; Execute is the body.
// When the body ends and the thread has an OnTerminate handler or frees
// itself, the application window is told and, on the main thread, runs
// OnTerminate and then (FreeOnTerminate) deletes the thread object. A
// thread object that does not free itself is deleted by its creator; the
// destructor asks the body to stop and waits for it.

#include "framework/TKernelHandle.h"
#include "framework/TObject.h"

#include <atomic>
#include <exception>
#include <functional>
#include <windows.h>

class TThread : public TObject {
public:
    explicit TThread(bool createSuspended);
    ~TThread() override;

    // Lets a suspended thread run; no effect once it runs.
    void Start();
    void Resume() { Start(); }
    // Asks the body to stop; Execute polls Terminated().
    void Terminate() { m_terminated = true; }
    bool Terminated() const { return m_terminated; }
    bool Finished() const { return m_finished; }
    // Waits for the body to end (servicing Synchronize calls meanwhile when
    // called on the main thread) and returns ReturnValue. Throws
    // std::logic_error for a thread that was never started.
    int WaitFor();

    bool FreeOnTerminate() const { return m_freeOnTerminate; }
    void SetFreeOnTerminate(bool freeOnTerminate) { m_freeOnTerminate = freeOnTerminate; }
    HANDLE Handle() const { return m_handle.Get(); }
    DWORD ThreadId() const { return m_threadId; }
    int ReturnValue() const { return m_returnValue; }
    // The exception that ended Execute, if any.
    std::exception_ptr FatalException() const { return m_fatalException; }

    // Runs call on the main thread and waits for it; an exception it throws
    // is rethrown to the caller. Called on the main thread it runs at once.
    static void Synchronize(const std::function<void()>& call);

    // Runs on the main thread after the body ended.
    TNotifyEvent OnTerminate;

    // The application window's handling of the end notice.
    static void HandleTerminated(TThread* thread);

protected:
    virtual void Execute() = 0;
    virtual void DoTerminate();
    void SetReturnValue(int value) { m_returnValue = value; }

private:
    static unsigned __stdcall ThreadProc(void* parameter);
    void WaitForEnd();

    TKernelHandle m_handle;
    DWORD m_threadId = 0;
    HWND m_notifyWindow;
    std::atomic<bool> m_terminated{false};
    std::atomic<bool> m_finished{false};
    std::atomic<bool> m_started{false};
    bool m_freeOnTerminate = false;
    int m_returnValue = 0;
    std::exception_ptr m_fatalException;
};
