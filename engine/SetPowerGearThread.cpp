#include "engine/SetPowerGearThread.h"

#include "engine/GraphicsCompanion.h"
#include "engine/ModeChangeGuard.h"
#include "engine/ModeExtras.h"
#include "engine/ModeModel.h"
#include "engine/ModeRequest.h"
#include "framework/system/Trace.h"
#include "kelp/vantor/PowerGear.h"

TSetPowerGearThread::TSetPowerGearThread(int level, bool fullApply, bool applyVga, ModeChangeObserver* observer)
    : level_(level), fullApply_(fullApply), applyVga_(applyVga), observer_(observer)
{
}

void TSetPowerGearThread::Execute()
{
    // An exit that gave up on this change ends the process around it.
    if (!ModeChangeGuard::Mark())
        return;
    kelp::PowerGear& gear = kelp::PowerGear::Instance();
    // The facade refuses level calls on a board without the power gear;
    // the rest of the change still applies there.
    const bool gearSupported = gear.IsSupported();
    if (fullApply_) {
        if (gearSupported)
            gear.SetLevel(level_);
        if (applyVga_)
            FollowOnGraphicsCard();
        ApplyModeExtras(level_);
    } else if (gearSupported) {
        gear.SetLevelItem(level_);
    }
    if (observer_)
        observer_->RefreshIcon();
    ModeChangeGuard::Clear();
}

void TSetPowerGearThread::FollowOnGraphicsCard()
{
    if (!GraphicsCompanion().SetVgaMode(uint32_t(level_)))
        Trace("~~~[Tamsel] Can not Set mode to VGA %x", unsigned(level_));
}
