#include "engine/SetPowerGearThread.h"

#include "engine/GraphicsCompanion.h"
#include "engine/ModeChangeGuard.h"
#include "engine/ModeExtras.h"
#include "engine/ModeModel.h"
#include "engine/ModeRequest.h"
#include "framework/system/Trace.h"
#include "kelp/vantor/PowerGear.h"

TSetPowerGearThread::TSetPowerGearThread(int level, bool fullApply, bool applyVga, ModeChangeObserver* observer,
                                         ModeChangeOrder::Number turn)
    : level_(level), fullApply_(fullApply), applyVga_(applyVga), observer_(observer), turn_(turn)
{
}

namespace {
// The change counts as in flight for the crash guard until it leaves,
// also when a library call throws.
class GuardedChange {
public:
    GuardedChange() = default;
    ~GuardedChange() { ModeChangeGuard::Clear(); }
    GuardedChange(const GuardedChange&) = delete;
    GuardedChange& operator=(const GuardedChange&) = delete;
};
} // namespace

void TSetPowerGearThread::Execute()
{
    // An exit that gave up on this change ends the process around it.
    if (!ModeChangeGuard::Mark())
        return;
    const GuardedChange guarded;
    if (!ApplySteps())
        Trace("~~~[ModeChange] the change to level %x was overtaken by a newer one", unsigned(level_));
}

bool TSetPowerGearThread::ApplySteps()
{
    kelp::PowerGear& gear = kelp::PowerGear::Instance();
    // The facade refuses level calls on a board without the power gear;
    // the rest of the change still applies there.
    const bool gearSupported = gear.IsSupported();
    if (fullApply_) {
        if (!Stage([&] {
                if (gearSupported)
                    gear.SetLevel(level_);
            }))
            return false;
        if (applyVga_ && !Stage([this] { FollowOnGraphicsCard(); }))
            return false;
        if (!ApplyModeExtras(level_, [this](const std::function<void()>& step) { return Stage(step); }))
            return false;
    } else if (!Stage([&] {
                   if (gearSupported)
                       gear.SetLevelItem(level_);
               })) {
        return false;
    }
    return Stage([this] {
        if (observer_)
            observer_->RefreshIcon();
    });
}

bool TSetPowerGearThread::Stage(const std::function<void()>& step) const
{
    return ModeChangeOrder::RunStage(turn_, step);
}

void TSetPowerGearThread::FollowOnGraphicsCard()
{
    if (!GraphicsCompanion().SetVgaMode(uint32_t(level_)))
        Trace("~~~[Tamsel] Can not Set mode to VGA %x", unsigned(level_));
}
