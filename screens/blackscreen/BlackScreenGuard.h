#pragma once
// Runs the black screen: Enter switches sound and display off, covers the
// screen and applies Max Power Saving; the first real input (a key, a
// button, or a mouse that moves more than a jitter) restores everything.
//
// A mouse move only arms the guard and starts a 10 s wake timer; a second
// move within 10 px (sum of both axes) of the first disarms it again, a
// larger one leaves. When the wake timer ticks, the display that the move
// may have woken is switched off again.

#include "framework/TTimer.h"
#include "screens/blackscreen/BlackScreenDevices.h"
#include "screens/blackscreen/TBlackScreen.h"

class BlackScreenGuard {
public:
    static constexpr unsigned kWakeMs = 10000;
    static constexpr int kJitterPx = 10;

    // Over the black-screen form of start-up and the nap library; created on
    // first use and kept.
    static BlackScreenGuard& Instance();

    BlackScreenGuard(TBlackScreen& form, BlackScreenDevices& devices);

    // Ignored while the black screen is up.
    void Enter();
    // Ignored while the black screen is down.
    void Leave();
    // Leave for the program's exits: sound and display come back, the
    // power mode is the exit's business.
    void Withdraw();
    bool IsShown() const { return form_.Visible(); }
    bool IsArmed() const { return armed_; }
    TTimer& WakeTimer() { return *wakeTimer_; }

    // The form's input, also reachable for tests.
    void MouseMove(int x, int y);
    void WakeTimerTick();

private:
    TBlackScreen& form_;
    BlackScreenDevices& devices_;
    TTimer* wakeTimer_; // owned by the form
    int savedLevel_ = 0;
    bool armed_ = false;
    int lastX_ = 0;
    int lastY_ = 0;
};

// Every way out of the program: a black screen that is up must not leave
// the sound muted and the display off behind.
void WithdrawBlackScreen();
