#pragma once
// Base of the bitmap-skinned controls: a small state machine that follows
// the mouse, the keyboard, the focus and the enabled flag and tells the
// subclass which look to show (raised, sunken, focused, disabled).
//
// "Pressed" means the left button went down inside the control or space or
// Enter is held on it; "hot" means ShowMouseOver is set and the mouse is
// over the hit area.

#include "framework/TWinControl.h"

class VtControl : public TWinControl {
public:
    VtControl(TComponent* owner, bool clicksDisabled);

    virtual bool GetChecked() const { return false; }
    virtual void SetChecked(bool) {}
    virtual void ShowRaised() {}
    virtual void ShowDisabled() { ShowRaised(); }
    virtual void ShowFocused() { ShowRaised(); }
    virtual void ShowSunken() { ShowRaised(); }
    // Whether a client point belongs to the control.
    virtual bool HitTest(int x, int y);

    void SetEnabled(bool enabled) override;

    bool ShowMouseOver() const { return m_showMouseOver; }
    void SetShowMouseOver(bool show);
    bool ClicksDisabled() const { return m_clicksDisabled; }
    void SetClicksDisabled(bool disabled);

    // Managed: what the control would change is held by the organisation's
    // policy. The control shows its disabled look and takes no click, but
    // stays enabled for the mouse so that its tool-tip (the hint given
    // here, in place of its own) says why; assistive technology hears
    // "unavailable" and the hint as the description. A click, a press key
    // or the default action reports OnManagedClick instead.
    void SetManaged(bool managed, const std::string& hint = {});
    bool Managed() const { return m_managed; }
    TNotifyEvent OnManagedClick;

    TAccState AccState() const override;
    std::string AccDescription() const override;
    // The frame along the edges, the ring for a round control.
    TFocusCuePlace FocusCuePlace() override;
    bool IsGroupCurrent() const override { return GetChecked(); }
    // Clicks that are switched off take the default action with them.
    // A managed control keeps its action's name: the request is refused
    // aloud rather than missing.
    TAccAction AccDefaultAction() const override
    {
        return m_clicksDisabled && !m_managed ? TAccAction::None : ClickAction();
    }

    bool Hovering() const { return m_hovering; }
    bool KeyPressed() const { return m_keyPressed; }
    bool MousePressed() const { return m_mousePressed; }

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    // What a click does, in the words of default actions.
    virtual TAccAction ClickAction() const { return TAccAction::None; }
    // The default action is a click.
    void AccPerformDefaultAction() override;

    // The system reported that the mouse left the window.
    virtual void MouseLeft();

    void WndProc(TMessage& message) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void DoEnter() override;
    void DoExit() override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyUp(WORD& key, TShiftState shift) override;
    void FocusCuesChanged() override;

private:
    bool Pressed() const { return m_keyPressed || m_mousePressed; }
    void ReportManagedClick();
    bool TakeManagedInput(const TMessage& message);
    void Look(void (VtControl::*look)());
    bool Hot() const { return m_showMouseOver && m_hovering; }
    void ShowReleased();
    void Press();
    void CancelPress();
    void CancelHover();
    void Enter(bool leftHeld);
    void Leave();

    bool m_showMouseOver = true;
    bool m_hovering = false;
    bool m_keyPressed = false;
    bool m_mousePressed = false;
    bool m_clicksDisabled;
    bool m_managed = false;
    // The control's own hint and clicks, given back when it is managed no more.
    std::string m_ownHint;
    std::string m_managedHint;
    bool m_ownShowHint = false;
    bool m_ownClicksDisabled = false;
    // Kept from the focus messages: while a control loses the focus the
    // system may still report it as the focus window.
    bool m_focused = false;
};
