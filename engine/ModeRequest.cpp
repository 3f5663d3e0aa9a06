#include "engine/ModeRequest.h"

#include "engine/CpuPowerMonitor.h"
#include "engine/ModeChangeGuard.h"
#include "engine/ModeChangeOrder.h"
#include "engine/ModeModel.h"
#include "engine/SetPowerGearThread.h"
#include "framework/FrameworkMessages.h"
#include "framework/TApplication.h"
#include "ipc/SpareThread.h"
#include "framework/system/ProcessWide.h"
#include "framework/system/Trace.h"

#include <atomic>

namespace {

// How long a request waits for the change before it.
constexpr DWORD kPreviousChangeWaitMs = 3000;
constexpr DWORD kPollSliceMs = 20;

std::atomic<ModeChangeObserver*> observer{nullptr};

// The changes let through that have not ended yet, and in the top bit
// whether the exit has closed the engine: one word, so that a change is
// either let through before the close (and the exit's wait sees it) or not
// at all.
constexpr uint32_t kClosedBit = 0x80000000u;
std::atomic<uint32_t> admission{0};

bool IsClosed()
{
    return (admission.load() & kClosedBit) != 0;
}

bool NoChangeRunning()
{
    return (admission.load() & ~kClosedBit) == 0;
}

// Counts the change in unless the engine is closed.
bool Admit()
{
    uint32_t seen = admission.load();
    do {
        if (seen & kClosedBit)
            return false;
    } while (!admission.compare_exchange_weak(seen, seen + 1));
    return true;
}

bool IsAppliable(int level, bool fullApply)
{
    return IsKnownLevel(level) || (!fullApply && level == GearLevel::CalibrationEnd);
}

// A quit message taken out of the queue while waiting; put back when the
// wait ends, since it belongs to the message loop.
class QuitKeeper {
public:
    QuitKeeper() = default;
    QuitKeeper(const QuitKeeper&) = delete;
    QuitKeeper& operator=(const QuitKeeper&) = delete;
    ~QuitKeeper()
    {
        if (taken_)
            PostQuitMessage(exitCode_);
    }
    void Take(const MSG& msg)
    {
        taken_ = true;
        exitCode_ = int(msg.wParam);
    }

private:
    bool taken_ = false;
    int exitCode_ = 0;
};

// Waits until `done` holds or the time is up. On the main thread it keeps
// delivering the framework's thread-end notices (so that handlers waiting
// on them run) and calls sent to the main thread (which a worker may be
// waiting in), but leaves every other message queued. `event`, when given,
// is waited for as well and consumed by the wait.
template <typename Done> bool WaitServicingTerminations(HANDLE event, DWORD timeoutMs, Done done)
{
    const bool onMainThread = GetCurrentThreadId() == Application().MainThreadId();
    const HWND notices = onMainThread ? Application().Handle() : nullptr;
    const DWORD start = GetTickCount();
    QuitKeeper quit;
    for (;;) {
        // Notices queued before the wait would not wake it: drain first.
        // The filtered peek hands out a quit message as well.
        MSG msg;
        while (notices && PeekMessageA(&msg, notices, CM_THREADTERMINATED, CM_THREADTERMINATED, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                quit.Take(msg);
            else
                DispatchMessageA(&msg);
        }
        if (done())
            return true;
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        DWORD slice = timeoutMs - elapsed;
        // Without an event nothing tells the wait that a change has ended
        // (the worker posts no message when it finishes): look again soon.
        if (!event && slice > kPollSliceMs)
            slice = kPollSliceMs;
        const DWORD wait = MsgWaitForMultipleObjects(event ? 1 : 0, &event, FALSE, slice,
                                                     notices ? QS_POSTMESSAGE | QS_SENDMESSAGE : 0);
        if (event && wait == WAIT_OBJECT_0)
            return true;
        if (wait == WAIT_FAILED)
            return done();
    }
}

void ChangeEnded(HANDLE modeChangeDone)
{
    admission.fetch_sub(1);
    SetEvent(modeChangeDone);
}

void TraceClosed(int level)
{
    Trace("~~~[ModeRequest] level %x requested after the exit began, ignored", unsigned(level));
}

// Changes run on a thread kept waiting between them: starting a thread per
// change would cost more than writing the level itself.
kelp::SpareThread& ChangeWorker()
{
    static ProcessWide<kelp::SpareThread> worker;
    return *worker;
}

} // namespace

void RequestMode(int level, bool fullApply, bool applyVga)
{
    CpuPowerMonitor& monitor = CpuPowerMonitor::Instance();
    if (monitor.IsOverclocked())
        return;
    if (!IsAppliable(level, fullApply)) {
        Trace("~~~[ModeRequest] level %x is no mode, ignored", unsigned(level));
        return;
    }
    if (IsClosed()) {
        TraceClosed(level);
        return;
    }
    const HANDLE modeChangeDone = monitor.ModeChangeDone();
    // Proceeds after the wait whatever it gave: a change that hangs must
    // not block every later one.
    // A change that has already ended left the event set: taking it needs
    // no message servicing, which costs the main thread three server calls.
    if (modeChangeDone && WaitForSingleObject(modeChangeDone, 0) != WAIT_OBJECT_0)
        WaitServicingTerminations(modeChangeDone, kPreviousChangeWaitMs, [] { return false; });
    else
        WaitServicingTerminations(nullptr, kPreviousChangeWaitMs, NoChangeRunning);
    // The wait delivered sent messages: the exit may have run in it.
    if (!Admit()) {
        TraceClosed(level);
        return;
    }

    TSetPowerGearThread change(level, fullApply, applyVga, observer.load(), ModeChangeOrder::Draw());
    // The worker signals the end itself, so the next request need not wait
    // for the main thread to pass a notice on.
    const bool started = ChangeWorker().Run([change, level, modeChangeDone]() mutable {
        try {
            change.Execute();
        } catch (...) {
            Trace("~~~[ModeRequest] the change to level %x failed", unsigned(level));
        }
        ChangeEnded(modeChangeDone);
    });
    if (!started) {
        Trace("~~~[ModeRequest] no thread for the change to level %x", unsigned(level));
        ChangeEnded(modeChangeDone);
    }
}

void SetMode(int level, bool fullApply)
{
    RequestMode(level, fullApply, true);
}

void SetModeNoVga(int level, bool fullApply)
{
    RequestMode(level, fullApply, false);
}

bool WaitForModeChange(DWORD timeoutMs)
{
    return WaitServicingTerminations(nullptr, timeoutMs, NoChangeRunning);
}

void CloseModeChanges()
{
    admission.fetch_or(kClosedBit);
}

void AbandonModeChanges()
{
    ModeChangeGuard::Abandon();
    ModeChangeOrder::OvertakeAll();
}

void PlugModeChangeObserver(ModeChangeObserver* plugged)
{
    observer = plugged;
}
