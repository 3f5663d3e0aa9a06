#pragma once
// The worker that applies one mode change: crash guard, gear level, the
// graphics card, the mode's extras and the tray icon. Created suspended and
// freed by the framework when it ends.

#include "framework/TThread.h"

class ModeChangeObserver;

class TSetPowerGearThread final : public TThread {
public:
    // fullApply: set the level through the library (which records it as
    // the last mode) and apply the extras; otherwise only write the level
    // item. applyVga (with fullApply): the graphics card follows.
    TSetPowerGearThread(int level, bool fullApply, bool applyVga, ModeChangeObserver* observer);

protected:
    void Execute() override;

private:
    void FollowOnGraphicsCard();

    int level_;
    bool fullApply_;
    bool applyVga_;
    ModeChangeObserver* observer_;
};
