#include "screens/blackscreen/BlackScreenGuard.h"

#include "engine/ModeModel.h"
#include "framework/TApplication.h"

#include <cstdlib>

BlackScreenGuard& BlackScreenGuard::Instance()
{
    static BlackScreenGuard guard(*BlackScreen, NapBlackScreenDevices());
    return guard;
}

BlackScreenGuard::BlackScreenGuard(TBlackScreen& form, BlackScreenDevices& devices)
    : form_(form), devices_(devices), wakeTimer_(new TTimer(&form))
{
    wakeTimer_->SetEnabled(false);
    wakeTimer_->SetInterval(kWakeMs);
    wakeTimer_->OnTimer = [this](TObject*) { WakeTimerTick(); };
    form_.OnMouseMove = [this](TObject*, TShiftState, int x, int y) { MouseMove(x, y); };
    form_.OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { Leave(); };
    form_.OnKeyDown = [this](TObject*, WORD&, TShiftState) { Leave(); };
}

void BlackScreenGuard::Enter()
{
    if (IsShown())
        return;
    devices_.SoundOff();
    devices_.DisplayOff();
    armed_ = false;
    form_.SetBounds(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    form_.Show();
    form_.SetCursor(crNone);
    savedLevel_ = devices_.CurrentLevel();
    devices_.SetMode(GearLevel::MaxSaving);
}

void BlackScreenGuard::Leave()
{
    if (!IsShown())
        return;
    Withdraw();
    // After an exit request the program leaves the mode to its exit path.
    if (!Application().Terminated())
        devices_.SetMode(savedLevel_);
}

void BlackScreenGuard::Withdraw()
{
    if (!IsShown())
        return;
    devices_.SoundOn();
    devices_.DisplayOn();
    wakeTimer_->SetEnabled(false);
    form_.Hide();
    form_.SetCursor(crDefault);
}

void WithdrawBlackScreen()
{
    // Only Enter shows the form, and it made the guard.
    if (BlackScreen && BlackScreen->Visible())
        BlackScreenGuard::Instance().Withdraw();
}

void BlackScreenGuard::MouseMove(int x, int y)
{
    if (!armed_) {
        wakeTimer_->SetEnabled(false);
        wakeTimer_->SetEnabled(true);
        armed_ = true;
    } else if (std::abs(x - lastX_) + std::abs(y - lastY_) <= kJitterPx) {
        armed_ = false;
    } else {
        Leave();
    }
    lastX_ = x;
    lastY_ = y;
}

void BlackScreenGuard::WakeTimerTick()
{
    devices_.DisplayOff();
    wakeTimer_->SetEnabled(false);
}
