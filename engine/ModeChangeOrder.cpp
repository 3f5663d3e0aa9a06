#include "engine/ModeChangeOrder.h"

#include "ipc/OwnedHandle.h"
#include "framework/system/ProcessWide.h"
#include "framework/system/Trace.h"

#include <windows.h>

#include <atomic>

namespace {

// Longer than the graphics pipe's 10 s, the slowest stage that still ends.
constexpr DWORD kStageWaitMs = 15000;

struct OrderState {
    std::atomic<ModeChangeOrder::Number> newest{0};
    // A kernel mutex: a bounded wait, and a stage cut off with its thread
    // leaves the lock abandoned rather than held.
    kelp::OwnedHandle stageLock{CreateMutexA(nullptr, FALSE, nullptr)};
};

OrderState& State()
{
    static ProcessWide<OrderState> state;
    return *state;
}

class StageLock {
public:
    explicit StageLock(HANDLE mutex) : mutex_(mutex)
    {
        const DWORD wait = mutex_ ? WaitForSingleObject(mutex_, kStageWaitMs) : WAIT_FAILED;
        held_ = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
        if (mutex_ && !held_)
            Trace("~~~[ModeChange] a stage of an older change still runs after %lu ms; going on without it",
                        kStageWaitMs);
    }
    ~StageLock()
    {
        if (held_)
            ReleaseMutex(mutex_);
    }
    StageLock(const StageLock&) = delete;
    StageLock& operator=(const StageLock&) = delete;

private:
    HANDLE mutex_;
    bool held_ = false;
};

} // namespace

namespace ModeChangeOrder {

Number Draw()
{
    return State().newest.fetch_add(1) + 1;
}

void OvertakeAll()
{
    State().newest.fetch_add(1);
}

bool IsNewest(Number change)
{
    return State().newest.load() == change;
}

bool RunStage(Number change, const std::function<void()>& stage)
{
    StageLock lock(State().stageLock.Get());
    if (!IsNewest(change))
        return false;
    stage();
    return true;
}

} // namespace ModeChangeOrder
