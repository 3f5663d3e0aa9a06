#pragma once
// The application object: the hidden top-level application window (class
// "TApplication", captioned with the title), the forms it owns, the main
// form, the message loop with its application-wide hooks, and the standard
// exception box. One per process: Application().

#include "framework/TComponent.h"
#include "framework/THintWindow.h"
#include "framework/TUtilityWindow.h"
#include "framework/graphics/GraphicsError.h"

#include <exception>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class TForm;

// Sees a retrieved message before it is dispatched; setting handled stops
// it there.
using TMessageEvent = std::function<void(MSG& msg, bool& handled)>;
using TExceptionEvent = std::function<void(TObject* sender, const std::string& message)>;
using TPictureErrorEvent = std::function<void(const EPictureError& error)>;

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    // The hidden application window; threads post their notices to it.
    HWND Handle() { return m_window.Handle(); }
    DWORD MainThreadId() const { return m_mainThreadId; }

    void Initialize();
    const std::string& Title() const { return m_title; }
    void SetTitle(const std::string& title);
    // When false, Run does not show the main form (start hidden).
    bool ShowMainForm() const { return m_showMainForm; }
    void SetShowMainForm(bool show) { m_showMainForm = show; }

    // Creates a form owned by the application; the first one becomes the
    // main form, and closing the main form terminates the application.
    template <class Form>
    Form* CreateForm()
    {
        auto* form = new Form(this);
        form->AfterConstruction();
        if (!m_mainForm)
            m_mainForm = form;
        return form;
    }
    TForm* MainForm() const { return m_mainForm; }

    // Shows the main form (unless told not to) and processes messages until
    // the application terminates; then frees the forms it owns.
    void Run();
    // Ends the message loop (from any thread).
    void Terminate();
    bool Terminated() const { return m_terminated; }
    // Processes every waiting message and returns.
    void ProcessMessages();
    // Processes one message, waiting for one when none is queued.
    void HandleMessage();
    // Runs `call` from the message loop (main thread only), once the message
    // being handled now is done: whatever modal loop that message runs in
    // has seen its own end first when it ended meanwhile. Calls run in
    // order; those still queued when the application ends never run.
    void Queue(std::function<void()> call);

    // Minimises a visible main form; a hidden one stays hidden.
    void Minimize();
    void Restore();
    // Whether one of the application's windows is active; forms report
    // the system's activation changes here.
    bool Active() const { return m_active; }
    void ActivationChanged(bool active);

    THintWindow& Hint() { return m_hint; }

    // Returns an identifier for RemoveMessageHook.
    int AddMessageHook(TMessageEvent hook);
    void RemoveMessageHook(int id);

    // While the loop waits for messages it also waits for the handle (an
    // event the system signals) and calls `signalled` on the main thread
    // when it is: no thread of its own. The caller keeps the handle open
    // until UnwatchHandle. Returns an identifier for UnwatchHandle.
    int WatchHandle(HANDLE handle, std::function<void()> signalled);
    void UnwatchHandle(int id);

    // Reports an exception that escaped a handler: OnPictureError for a
    // picture file that could not be read when it was first needed, else
    // OnException when set, else the standard exception box.
    void HandleException(std::exception_ptr error);
    void ShowException(const std::string& message);

    TExceptionEvent OnException;
    TPictureErrorEvent OnPictureError;
    // A close of the application window (what ending the task politely
    // sends): OnClose when set, else the main form closes.
    TNotifyEvent OnClose;
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    bool ProcessMessage();
    bool WindowProcedure(TMessage& message);
    void RunQueued();

    TUtilityWindow m_window;
    THintWindow m_hint;
    DWORD m_mainThreadId;
    std::string m_title;
    bool m_showMainForm = true;
    bool m_terminated = false;
    bool m_active = false;
    TForm* m_mainForm = nullptr;
    struct WatchedHandle {
        int id;
        HANDLE handle;
        std::function<void()> signalled;
    };
    std::vector<std::pair<int, TMessageEvent>> m_hooks;
    std::vector<WatchedHandle> m_watched;
    std::vector<std::function<void()>> m_queued;
    int m_nextHookId = 1;
};

// The process's application object, created on first use by the main thread.
TApplication& Application();
