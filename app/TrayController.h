#pragma once
// The program's notification-area icon. Its picture shows the power mode,
// hovering explains the mode in a balloon, a left click restores the main
// window and a right click opens the menu: balloon tips on/off, run at
// log-on on/off, exit, and below a separator the automation page (after
// Exit, so that the first three items keep their places).
//
// What the owner (the main window) does:
//  - once at start-up: Create(this, 1224) and SetRestoreHandler with its
//    ShowMainWindow;
//  - forwards every message 1224 to OnNotify(lParam);
//  - on a message equal to TaskbarCreatedMessage() (the shell restarted)
//    calls OnTaskbarCreated(), which puts the icon back;
//  - on refresh requests calls Refresh() (icon, balloon text, icon added if
//    missing) or RefreshIcon() (picture only);
//  - keeps its InitGearModeTimer (the delayed start-up restore) public: while
//    it runs, Auto shows High Performance's picture.
// The balloon timer is a component of the owner and goes with it; the icon
// is removed when that happens. RefreshIcon() is also called by the mode
// engine on its worker thread after each change; every use of the icon is
// serialised so that both threads may refresh at any time.

#include "app/TrayIcon.h"
#include "app/TrayModeIcon.h"
#include "app/TrayServices.h"
#include "engine/ModeRequest.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class TForm;
class TTimer;

class TrayController final : public ModeChangeObserver {
public:
    static constexpr UINT kIconId = 1;
    static constexpr UINT kBalloonShowMs = 5000;
    // After the shell hid the balloon or it was clicked.
    static constexpr UINT kBalloonAfterShellMs = 1000;
    // What the shell is asked for; the program's timer hides it earlier.
    static constexpr UINT kBalloonTimeoutMs = 10000;
    static constexpr DWORD kBalloonFlags = NIIF_INFO | NIIF_NOSOUND;
    static constexpr int kConfirmExitNo = 2;
    enum MenuItem : UINT { kMenuBalloonTips = 1, kMenuRunAtStartup, kMenuExit, kMenuAutomation };
    // Name of the balloon timer among the owner's components.
    static constexpr const char* kBalloonTimerName = "TrayBalloonTimer";

    // The process-wide controller over the program's services, plugged into
    // the mode engine; created on first use.
    static TrayController& Instance();

    // iconFolder: where "%d.ico" are loaded from, ending with '\'.
    explicit TrayController(TrayServices& services, ShellNotify shell = SystemShellNotify(),
                            std::string iconFolder = TrayIconFolder());
    ~TrayController() override;
    TrayController(const TrayController&) = delete;
    TrayController& operator=(const TrayController&) = delete;

    // Puts the icon into the notification area for the window; once.
    void Create(TForm* mainWindow, UINT callbackMessage);
    void SetRestoreHandler(std::function<void()> handler) { restoreHandler_ = std::move(handler); }

    // The picture of the current mode; any thread.
    void RefreshIcon() override;
    // Recomputes the balloon text and shows it when tips are on.
    void UpdateBalloon();
    // Shows the text in the balloon now (when tips are on).
    void ShowBalloon(const std::string& text);
    // Why the mode holds, added to the balloon's text; "" for nothing.
    void SetHoldText(const std::string& text) { holdText_ = text; }
    // Picture, balloon, and the icon added again if it is missing.
    void Refresh();
    // The icon's notification (message 1224's lParam).
    void OnNotify(LPARAM lParam);

    // The registered message the shell broadcasts after it (re)started.
    static UINT TaskbarCreatedMessage();
    void OnTaskbarCreated();

    // Shows the text in the balloon at once, whether or not balloon tips are
    // on (a refused request), for the usual time.
    void ShowNotice(const std::string& text);

    // Runs a menu item, as when the user chose it. Items the policies
    // manage (run at log-on forced, exit hidden) do nothing.
    void RunMenuCommand(UINT item);
    // Takes the icon out of the notification area for good (a process that
    // ends without closing its windows).
    void RemoveIcon();

private:
    class BalloonTimer;

    // Becomes the mode engine's observer; undone by the destructor.
    void PlugIntoModeEngine();
    void BuildMenu();
    // Checks and grays the items as the settings and the policies say.
    void MarkMenuItems();
    void ContextMenu();
    void ToggleBalloonTips();
    void ToggleRunAtStartup();
    void Exit();
    std::string BalloonText();
    void StartBalloonTimer(UINT intervalMs);
    void StopBalloonTimer();
    void HideBalloon();
    void BalloonTimerTimer();
    void OwnerGone();

    TrayServices& services_;
    ShellNotify shell_;
    std::string iconFolder_;

    // Held for every use of icon_ and iconHandle_.
    mutable SRWLOCK iconLock_ = SRWLOCK_INIT;
    std::optional<TrayIcon> icon_;
    TIconHandle iconHandle_;

    BalloonTimer* balloonTimer_ = nullptr;
    // Mirrors the timer's state for the mode engine's thread.
    std::atomic<bool> balloonTimerRunning_{false};
    std::function<void()> restoreHandler_;
    TOwnedHandle<HMENU, DestroyMenu> menu_;
    TForm* owner_ = nullptr;
    bool pluggedIntoEngine_ = false;
    std::string holdText_;
};
