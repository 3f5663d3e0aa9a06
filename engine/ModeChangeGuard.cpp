#include "engine/ModeChangeGuard.h"

#include "engine/AdvanceSettings.h"
#include "framework/system/ProcessWide.h"

#include <mutex>

namespace {
struct GuardState {
    // Held over each write of the flag, so that an abandon never falls
    // between a change's check and its write.
    std::mutex lock;
    bool abandoned = false;
    // Changes marked and not cleared yet.
    int inFlight = 0;
};

GuardState& State()
{
    static ProcessWide<GuardState> state;
    return *state;
}
} // namespace

namespace ModeChangeGuard {

bool Mark()
{
    GuardState& state = State();
    std::lock_guard guard(state.lock);
    if (state.abandoned)
        return false;
    ++state.inFlight;
    AdvanceSettings::Instance().MarkGear_Flag();
    return true;
}

void Clear()
{
    GuardState& state = State();
    std::lock_guard guard(state.lock);
    if (state.inFlight > 0)
        --state.inFlight;
    if (state.inFlight == 0 && !state.abandoned)
        AdvanceSettings::Instance().ClearGear_Flag();
}

void Abandon()
{
    GuardState& state = State();
    std::lock_guard guard(state.lock);
    state.abandoned = true;
    AdvanceSettings::Instance().ClearGear_Flag();
}

} // namespace ModeChangeGuard
