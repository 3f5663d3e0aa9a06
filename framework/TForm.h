#pragma once
// A top-level window. Its window class is the form's class name (a
// TMainForm registers "TMainForm"), so other programs can find it. Forms
// start hidden; a hidden form's window, when something needs it, is made
// without its controls' windows, which follow when the form is first shown.
// Show/Hide/Visible switch forms, Close asks OnCloseQuery and
// OnClose and then hides (or frees, or minimises) the form - closing the
// application's main form terminates the application instead. ShowModal
// runs a nested message loop until ModalResult is set.

#include "framework/TWinControl.h"

enum class TBorderStyle { None, Single, Sizeable, Dialog, ToolWindow };
enum class TCloseAction { None, Hide, Free, Minimize };
enum class TFormStyle { Normal, StayOnTop };
// Where the form goes when it is first shown.
enum class TPosition { Designed, ScreenCenter, MainFormCenter };

using TModalResult = int;
enum : TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7 };

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle style);
    // Forms are never scaled to the screen's font size; a layout that asks
    // for it can be detected here.
    bool Scaled() const { return m_scaled; }
    void SetScaled(bool scaled) { m_scaled = scaled; }
    // StayOnTop: a topmost window from creation on.
    TFormStyle FormStyle() const { return m_formStyle; }
    void SetFormStyle(TFormStyle style);
    TPosition Position() const { return m_position; }
    void SetPosition(TPosition position) { m_position = position; }
    // The window that owns this one: an owned form stays above its owner,
    // hides and minimises with it and gets no taskbar button of its own.
    HWND OwnerWindow() const { return m_ownerWindow; }
    void SetOwnerWindow(HWND owner);

    void Close();
    // OnCloseQuery's answer; true when no handler is set.
    virtual bool CloseQuery();
    // Shows the form, disables the other windows of the thread and returns
    // the modal result once it is set (mrCancel when the form is closed or
    // the application terminates). Throws std::logic_error when the form is
    // already visible.
    TModalResult ShowModal();
    // Each show hides the focus cues until the keyboard moves the focus, as
    // a dialog opened with the mouse does.
    void SetFocusCuesFollowKeyboard(bool follow) { m_cuesFollowKeyboard = follow; }
    bool FocusCuesFollowKeyboard() const { return m_cuesFollowKeyboard; }
    // The button Enter presses (unless the focus is on another push
    // button) and that has the focus when the form is shown modally.
    TWinControl* DefaultButton() const { return m_defaultButton; }
    void SetDefaultButton(TWinControl* button) { m_defaultButton = button; }
    // Where the focus starts when the form opens anew, before the default
    // button; a group's member stands for its group's current member.
    void SetFirstFocus(TWinControl* control) { m_firstFocus = control; }
    // The button Escape presses; without one Escape closes a modal form.
    TWinControl* CancelButton() const { return m_cancelButton; }
    void SetCancelButton(TWinControl* button) { m_cancelButton = button; }
    // Enter and Escape as a dialog takes them, the focus on `from`: Enter
    // presses, Escape presses the cancel button or closes a modal form.
    // True when the key was used.
    virtual bool DialogKey(WORD key, TWinControl& from);
    TModalResult ModalResult() const { return m_modalResult; }
    void SetModalResult(TModalResult result) { m_modalResult = result; }
    bool IsModal() const { return m_modal; }
    // Frees the form once the messages already queued for it are handled.
    void Release();
    void BringToFront() override;

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    // Fired once when a form whose construction completed is destroyed:
    // while it is still whole when the subclass calls DoDestroy first thing
    // in its destructor. A form whose constructor failed never fires it.
    TNotifyEvent OnDestroy;
    // Marks the construction as complete; the application's CreateForm
    // calls it.
    void AfterConstruction() { m_constructed = true; }

protected:
    void CreateParams(TCreateParams& params) override;
    bool DefersChildHandles() const override { return !Visible(); }
    void WndProc(TMessage& message) override;
    void VisibleChanged() override;
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& action);
    void DoDestroy();

private:
    // CloseQuery and OnClose for a modal form whose result was set; false
    // when the form refuses and stays open.
    bool CloseModal();
    void ApplyPosition();

    TBorderStyle m_borderStyle = TBorderStyle::Sizeable;
    TFormStyle m_formStyle = TFormStyle::Normal;
    TPosition m_position = TPosition::Designed;
    HWND m_ownerWindow = nullptr;
    bool m_positioned = false;
    bool m_scaled = false;
    bool m_modal = false;
    bool m_inShow = false;
    bool m_constructed = false;
    bool m_destroyFired = false;
    TModalResult m_modalResult = mrNone;
    bool m_cuesFollowKeyboard = false;
    TWinControl* m_defaultButton = nullptr;
    TWinControl* m_firstFocus = nullptr;
    TWinControl* m_cancelButton = nullptr;
    HWND m_lastFocus = nullptr;  // had the focus when the form was deactivated
};

// The form a control sits on (the control itself when it is a form);
// nullptr when it is not on a form.
TForm* GetParentForm(TControl* control);
