#pragma once
// Stops one windowed control from erasing its background, so that a control
// that paints its whole area from a bitmap repaints without flashing.

#include "framework/TWinControl.h"

namespace kelp {

class Flicker {
public:
    Flicker() = default;
    ~Flicker() { Detach(); }
    Flicker(const Flicker&) = delete;
    Flicker& operator=(const Flicker&) = delete;

    // Hooks the control's window procedure; the control must outlive the hook
    // or be detached first.
    void Attach(TWinControl* control);
    // Restores the previous window procedure; returns the control that was
    // hooked, or null.
    TWinControl* Detach();

private:
    TWinControl* m_control = nullptr;
    TWndMethod m_previous;
};

} // namespace kelp
