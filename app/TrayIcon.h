#pragma once
// One icon in the notification area: its picture, tip and balloon, added to
// and removed from the shell. Every request goes through a shell function
// (Shell_NotifyIconA unless told otherwise), so that the exact records the
// shell receives can be observed. Not thread-safe: the owner serialises use.

#include <windows.h>
#include <shellapi.h>

#include <cstddef>
#include <functional>
#include <string>

// The notification record in its second-generation layout: what the shell
// of Windows 2000 and XP reads, ending before the item GUID that later
// shells added. Its size is what the shell takes as the version of the
// record.
struct NotifyIconDataV2 {
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    CHAR szTip[128];
    DWORD dwState;
    DWORD dwStateMask;
    CHAR szInfo[256];
    UINT uTimeoutOrVersion;  // balloon time-out, or the behaviour version for NIM_SETVERSION
    CHAR szInfoTitle[64];
    DWORD dwInfoFlags;
};

#ifndef _WIN64
static_assert(sizeof(NotifyIconDataV2) == 488, "the shell tells record versions apart by size");
#endif
static_assert(offsetof(NotifyIconDataV2, szTip) == offsetof(NOTIFYICONDATAA, szTip));
static_assert(offsetof(NotifyIconDataV2, szInfo) == offsetof(NOTIFYICONDATAA, szInfo));
static_assert(offsetof(NotifyIconDataV2, uTimeoutOrVersion) == offsetof(NOTIFYICONDATAA, uTimeout));
static_assert(offsetof(NotifyIconDataV2, szInfoTitle) == offsetof(NOTIFYICONDATAA, szInfoTitle));
static_assert(offsetof(NotifyIconDataV2, dwInfoFlags) == offsetof(NOTIFYICONDATAA, dwInfoFlags));
static_assert(sizeof(NotifyIconDataV2) == NOTIFYICONDATAA_V2_SIZE);

// Hands one request (NIM_ADD, NIM_MODIFY, NIM_DELETE, NIM_SETVERSION) to
// the shell; true on success.
using ShellNotify = std::function<bool(DWORD message, NotifyIconDataV2& data)>;
ShellNotify SystemShellNotify();

class TrayIcon {
public:
    // The shell's newer notification behaviour (balloon events, keyboard
    // selection), asked for with NIM_SETVERSION.
    static constexpr UINT kBehaviourVersion = 3;
    // Attempts of one add before the icon is given up until the next one.
    static constexpr int kAddAttempts = 3;

    TrayIcon(HWND window, UINT id, UINT callbackMessage, const std::string& tip,
             ShellNotify shell = SystemShellNotify());
    // Removes the icon when it is in the notification area.
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Texts longer than the record holds are cut short.
    void SetTip(const std::string& text);
    void SetBalloonTitle(const std::string& text);
    void SetBalloonText(const std::string& text) { balloonText_ = text; }
    const std::string& BalloonText() const { return balloonText_; }
    void SetBalloonFlags(DWORD flags) { data_.dwInfoFlags = flags; }
    void SetBalloonTimeout(UINT ms) { data_.uTimeoutOrVersion = ms; }
    // Returns the previous icon; the caller keeps ownership of both.
    HICON SetIcon(HICON icon);

    // Adds or removes the icon when that changes whether it is shown.
    void SetVisible(bool visible);
    bool Added() const { return added_; }
    // Forgets that the icon was added and adds it again: the shell that
    // held it has gone (explorer restarted).
    void Readd();
    // Sends the current picture and tip; with showBalloon also the balloon.
    void Modify(bool showBalloon);
    // Shows the balloon text, or with false hides the balloon.
    void ShowBalloon(bool show);

private:
    bool Add();
    bool Send(DWORD message, bool withBalloon, const std::string& balloon);
    void SetVersion();

    NotifyIconDataV2 data_{};
    std::string balloonText_;
    bool added_ = false;
    ShellNotify shell_;
};
