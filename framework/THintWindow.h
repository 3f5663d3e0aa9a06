#pragma once
// The application's tool-tip: when the mouse rests on a control that has a
// hint and ShowHint set, a small topmost window with the hint text appears
// near the pointer after HintPause and goes again after HintHidePause, when
// the pointer leaves the control or a button is pressed.

#include "framework/TUtilityWindow.h"

#include <string>

class TControl;

class THintWindow {
public:
    THintWindow();
    ~THintWindow();
    THintWindow(const THintWindow&) = delete;
    THintWindow& operator=(const THintWindow&) = delete;

    // A control that goes away stops being the hint's subject.
    static void ControlDestroyed(TControl* control);

    // Every mouse move and press on a framework window reports here.
    void MouseMovedOver(TControl* control);
    void Cancel();

    unsigned HintPause() const { return m_hintPause; }
    void SetHintPause(unsigned ms) { m_hintPause = ms; }
    unsigned HintHidePause() const { return m_hintHidePause; }
    void SetHintHidePause(unsigned ms) { m_hintHidePause = ms; }

    bool Showing() const;
    HWND Handle() { return m_window.Handle(); }

private:
    bool HandleMessage(TMessage& message);
    void ShowFor(TControl* control);
    void Hide();
    bool PointerOver(TControl* control) const;
    void Paint();

    TUtilityWindow m_window;
    TControl* m_control = nullptr;
    unsigned m_hintPause = 500;
    unsigned m_hintHidePause = 2500;
    DWORD m_shownAt = 0;
};
