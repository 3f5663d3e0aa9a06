#pragma once
// A control with a window of its own. The window is created on first use of
// Handle() (or when the parent creates its children's windows), with the
// parameters that CreateParams gives; messages arrive at WindowProc, which is
// WndProc unless someone hooks it (SetWindowProc), and WndProc hands each message to
// a virtual handler or to DefaultHandler. Windowless child controls are
// painted by this control and get their mouse input from it.

#include "framework/FocusCue.h"
#include "framework/TControl.h"

#include <string>
#include <vector>

struct TCreateParams {
    std::string WinClassName;
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;
    UINT ClassStyle = CS_DBLCLKS;
    HICON Icon = nullptr;
    HCURSOR Cursor = nullptr;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    bool IsWindowed() const override { return true; }

    // The window; created on first request. Throws std::runtime_error when
    // the window cannot be created (for instance a child without a parent).
    HWND Handle();
    bool HandleAllocated() const { return m_handle != nullptr; }
    void HandleNeeded() { Handle(); }
    void DestroyHandle();
    // Creates the windows of the windowed children that have none yet, in
    // their order, creating this control's own first. A control does this
    // with its own window unless DefersChildHandles says otherwise; a child
    // that needs its window earlier gets its siblings' with it, so the
    // children's windows are always made in the same order.
    void CreateChildHandles();
    // The window exists and so do its windowed children's.
    bool ChildHandlesCreated() const { return m_handle && m_childHandlesCreated; }

    void SetParent(TWinControl* parent) override;
    void BringToFront() override;
    // A window outside the framework that hosts this control when it has
    // no parent control.
    HWND ParentWindow() const { return m_parentWindow; }
    void SetParentWindow(HWND window) { m_parentWindow = window; }

    // Sends a message straight to WindowProc and returns its result.
    LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam);
    const TWndMethod& WindowProc() const { return m_windowProc; }
    // Hooks the message entry; the hook usually keeps the previous
    // WindowProc and passes on what it does not handle.
    void SetWindowProc(TWndMethod windowProc) { m_windowProc = std::move(windowProc); }

    int ControlCount() const { return static_cast<int>(m_controls.size()); }
    TControl* Controls(int index) const { return m_controls.at(index); }
    // Topmost visible, enabled windowless child at a client point.
    TControl* ControlAtPos(int x, int y) const;

    int ClientWidth() const override;
    int ClientHeight() const override;
    void Invalidate() override;
    void Repaint() override;
    void Update();

    bool Focused() const;
    bool CanFocus() const { return Showing() && Enabled(); }
    virtual void SetFocus();
    bool TabStop() const { return m_tabStop; }
    void SetTabStop(bool tabStop) { m_tabStop = tabStop; }
    // Siblings of the same non-zero group are one tab stop whose members
    // the arrow keys move between (see FocusNavigation.h).
    int TabGroup() const { return m_tabGroup; }
    void SetTabGroup(int group) { m_tabGroup = group; }
    // The member a Tab into the group lands on (a checked radio button).
    virtual bool IsGroupCurrent() const { return false; }
    // The window's focus cues are shown: its top-level window did not hide
    // them (UISF_HIDEFOCUS), or the keyboard was used since. The framework
    // keeps this state itself (WM_CHANGEUISTATE, WM_UPDATEUISTATE,
    // WM_QUERYUISTATE), as the system would, since not every system does.
    bool FocusCuesShown() const;
    // Where the control's focus cue goes and its shape; none by default.
    virtual TFocusCuePlace FocusCuePlace() { return {}; }
    // Paints into an off-screen bitmap first and skips background erasing.
    bool DoubleBuffered() const { return m_doubleBuffered; }
    void SetDoubleBuffered(bool doubleBuffered) { m_doubleBuffered = doubleBuffered; }

    TAccState AccState() const override;
    RECT AccScreenRect() const override;
    // The exposed controls inside, those of role-less containers lifted up.
    std::vector<TAccessible*> AccChildren() const override;
    HWND AccEventWindow(LONG& childId) const override;
    bool AccTakeFocus() override;
    // Posts the default action to the control's window, where it runs as
    // AccPerformDefaultAction once the caller has its answer.
    bool AccDoDefaultAction() override;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    // Called once the window exists, after the children got theirs (unless
    // they wait, see DefersChildHandles).
    virtual void HandleCreated() {}
    // Whether the window is made without the children's windows, which then
    // wait for CreateChildHandles.
    virtual bool DefersChildHandles() const { return false; }

    // What the default action does; nothing unless a control says.
    virtual void AccPerformDefaultAction() {}

    virtual void WndProc(TMessage& message);
    virtual void DefaultHandler(TMessage& message);

    // Paints the control's own content; windowless children are painted
    // over it afterwards.
    virtual void PaintWindow(HDC dc);
    // Fills the client area with Color (nothing for clNone).
    virtual void EraseBackground(HDC dc);
    // Key handlers; setting the key (or character) to 0 swallows it.
    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);
    virtual void KeyPress(char& key);
    virtual void DoEnter();
    virtual void DoExit();
    // The window's focus cues were shown or hidden (WM_UPDATEUISTATE).
    virtual void FocusCuesChanged() {}

    void BoundsChanged() override;
    void VisibleChanged() override;
    void EnabledChanged() override;
    void CaptionChanged() override;

    // Re-reads the window's bounds after the window system moved it.
    void SyncBounds();

private:
    friend class TControl;  // joins and leaves m_controls

    static LRESULT CALLBACK StandardWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void HandlePaint();
    void PaintControls(HDC dc, const RECT& area);
    TControl* MouseTarget(int x, int y) const;
    void RouteMouseDown(TMessage& message, TMouseButton button, bool doubleClick);
    void RouteMouseUp(TMessage& message, TMouseButton button);
    void RouteMouseMove(TMessage& message);
    // Tab, Shift+Tab and, inside a group, the arrow keys; true when the key
    // moved the focus.
    bool Navigate(WORD key, TShiftState shift);
    // The cues of the control's top-level window: shown once a key that
    // moves about is pressed, hidden again by a mouse press, where the
    // window follows the keyboard (TForm::SetFocusCuesFollowKeyboard).
    void ChangeFocusCues(bool show);
    // Draws the cue of this control, and those its windowed children put on
    // it, while they have the focus.
    void PaintFocusCues(HDC dc);
    void InvalidateFocusCue();

    HWND m_handle = nullptr;
    HWND m_parentWindow = nullptr;
    TWndMethod m_windowProc;
    std::vector<TControl*> m_controls;
    TControl* m_captureControl = nullptr;
    bool m_childHandlesCreated = false;
    bool m_tabStop = false;
    int m_tabGroup = 0;
    bool m_doubleBuffered = false;
    // The UISF_ flags as the top-level window last announced them.
    WORD m_uiState = 0;
};
