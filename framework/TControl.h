#pragma once
// A visual element placed on a windowed parent: bounds in the parent's
// client coordinates, visibility, enabled state, caption, hint and colour,
// and the mouse handlers. A plain TControl has no window of its own: its
// parent paints it (Paint) and routes the mouse to it. TWinControl adds the
// window.

#include "framework/TComponent.h"
#include "framework/TMessage.h"
#include "framework/access/TAccessible.h"
#include "framework/graphics/Color.h"

#include <functional>
#include <string>

class TWinControl;

// Mouse pointer shown over a control; crDefault leaves it to the parent or
// the window class.
enum TCursor : int { crDefault = 0, crNone = -1, crArrow = -2, crIBeam = -4, crHourGlass = -11, crHandPoint = -21 };

// The system cursor for a TCursor; nullptr for crNone and crDefault.
HCURSOR CursorHandle(TCursor cursor);

// Behaviour switches of a control.
using TControlStyle = unsigned;
enum : TControlStyle {
    csClickEvents = 1,   // a left press and release inside generate Click
    csDoubleClicks = 2,  // a left double click generates DblClick
    csCaptureMouse = 4,  // the mouse is captured from a press until the release
    csOpaque = 8,        // the control paints its whole area itself
};

class TControl : public TComponent, public TAccessible {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return m_parent; }
    virtual void SetParent(TWinControl* parent);
    virtual bool IsWindowed() const { return false; }

    int Left() const { return m_left; }
    int Top() const { return m_top; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void SetLeft(int left) { SetBounds(left, m_top, m_width, m_height); }
    void SetTop(int top) { SetBounds(m_left, top, m_width, m_height); }
    void SetWidth(int width) { SetBounds(m_left, m_top, width, m_height); }
    void SetHeight(int height) { SetBounds(m_left, m_top, m_width, height); }
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return {m_left, m_top, m_left + m_width, m_top + m_height}; }

    virtual int ClientWidth() const { return m_width; }
    virtual int ClientHeight() const { return m_height; }
    // Sets the outer size so that the client area gets this size.
    void SetClientWidth(int width) { SetWidth(width + m_width - ClientWidth()); }
    void SetClientHeight(int height) { SetHeight(height + m_height - ClientHeight()); }

    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible and every parent visible.
    bool Showing() const;

    bool Enabled() const { return m_enabled; }
    virtual void SetEnabled(bool enabled);

    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& caption);
    const std::string& Text() const { return m_caption; }
    void SetText(const std::string& text) { SetCaption(text); }
    const std::string& Hint() const { return m_hint; }
    void SetHint(const std::string& hint) { m_hint = hint; }
    // Shows Hint as a tool-tip while the mouse rests on the control.
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool showHint) { m_showHint = showHint; }

    TColor Color() const { return m_color; }
    void SetColor(TColor color);

    TCursor Cursor() const { return m_cursor; }
    void SetCursor(TCursor cursor) { m_cursor = cursor; }

    TControlStyle ControlStyle() const { return m_controlStyle; }
    void SetControlStyle(TControlStyle style) { m_controlStyle = style; }

    // Marks the control's area for repainting.
    virtual void Invalidate();
    // Invalidates and paints at once.
    virtual void Repaint();

    // Puts the control above its siblings: a windowless one is painted last
    // and gets the mouse first among the windowless controls.
    virtual void BringToFront();

    // Draws a windowless control onto its parent's device context; the
    // origin is the control's top-left corner and drawing is clipped to it.
    virtual void Paint(HDC dc);

    // Mouse input in the control's client coordinates. The defaults fire
    // the matching events.
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void Click();
    virtual void DblClick();

    // Entry points of the mouse routing: they keep the click bookkeeping
    // and call the virtual handlers above.
    void DispatchMouseDown(TMouseButton button, TShiftState shift, int x, int y, bool doubleClick);
    void DispatchMouseUp(TMouseButton button, TShiftState shift, int x, int y);

    // What assistive technology is told. A control class declares its
    // role (SetAccRole); the screens name what has no caption, the name
    // looked up only when a client asks.
    using TAccText = std::function<std::string()>;
    void SetAccName(TAccText name) { m_accName = std::move(name); }
    TAccRole AccRole() const override { return m_accRole; }
    std::string AccName() const override;
    TAccState AccState() const override;
    std::string AccDescription() const override;
    RECT AccScreenRect() const override;
    TAccessible* AccParent() const override;
    HWND AccEventWindow(LONG& childId) const override;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnResize;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

protected:
    // Called after the stored state changed; windowed controls pass the
    // change on to their window.
    virtual void BoundsChanged();
    virtual void VisibleChanged();
    virtual void EnabledChanged() {}
    virtual void CaptionChanged() {}
    virtual void ColorChanged() { Invalidate(); }
    // Fires OnResize; called when the size changed.
    virtual void Resize();
    // Asked before every size change; may adjust the proposed size, or
    // return false to keep the current one.
    virtual bool CanResize(int& width, int& height);

    // Stores bounds reported by the window system without moving anything.
    void UpdateBounds(int left, int top, int width, int height);
    void UpdateVisible(bool visible) { m_visible = visible; }
    void UpdateCaption(const std::string& caption) { m_caption = caption; }
    void SetAccRole(TAccRole role) { m_accRole = role; }

private:
    friend class TWinControl;  // detaches its children when it goes

    // The parent's window exists and is on screen.
    bool ParentShowing() const;

    TWinControl* m_parent = nullptr;
    int m_left = 0;
    int m_top = 0;
    int m_width = 0;
    int m_height = 0;
    bool m_visible = true;
    bool m_enabled = true;
    bool m_clickPending = false;
    bool m_showHint = false;
    std::string m_caption;
    std::string m_hint;
    TColor m_color = clBtnFace;
    TCursor m_cursor = crDefault;
    TControlStyle m_controlStyle = csClickEvents | csCaptureMouse | csDoubleClicks;
    TAccRole m_accRole = TAccRole::None;
    TAccText m_accName;
};
