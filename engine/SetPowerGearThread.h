#pragma once
// The work of one mode change: crash guard, gear level, the graphics card,
// the mode's extras and the tray icon. The request runs it on the mode
// engine's worker thread (see ModeRequest.cpp). Each step is a stage of
// the change's turn (ModeChangeOrder.h): once a newer change has been let
// through, this one applies nothing more.

#include "engine/ModeChangeOrder.h"

class ModeChangeObserver;

class TSetPowerGearThread final {
public:
    // fullApply: set the level through the library (which records it as
    // the last mode) and apply the extras; otherwise only write the level
    // item. applyVga (with fullApply): the graphics card follows.
    TSetPowerGearThread(int level, bool fullApply, bool applyVga, ModeChangeObserver* observer,
                        ModeChangeOrder::Number turn);

    void Execute();

private:
    // False when a newer change overtook this one (nothing more to do).
    bool ApplySteps();
    bool Stage(const std::function<void()>& step) const;
    void FollowOnGraphicsCard();

    int level_;
    bool fullApply_;
    bool applyVga_;
    ModeChangeObserver* observer_;
    ModeChangeOrder::Number turn_;
};
