#pragma once
// The work of one mode change: crash guard, gear level, the graphics card,
// the mode's extras and the tray icon. The request runs it on the mode
// engine's worker thread (see ModeRequest.cpp).

class ModeChangeObserver;

class TSetPowerGearThread final {
public:
    // fullApply: set the level through the library (which records it as
    // the last mode) and apply the extras; otherwise only write the level
    // item. applyVga (with fullApply): the graphics card follows.
    TSetPowerGearThread(int level, bool fullApply, bool applyVga, ModeChangeObserver* observer);

    void Execute();

private:
    void FollowOnGraphicsCard();

    int level_;
    bool fullApply_;
    bool applyVga_;
    ModeChangeObserver* observer_;
};
