#include "app/TrayIcon.h"

#include <algorithm>
#include <utility>

namespace {

// Copies text into a fixed field, cut to whole characters so that a
// double-byte character is never split at the end.
template <size_t N>
void CopyField(CHAR (&field)[N], const std::string& text)
{
    const char* begin = text.c_str();
    const char* end = begin;
    while (*end) {
        const char* next = CharNextA(end);
        if (static_cast<size_t>(next - begin) > N - 1)
            break;
        end = next;
    }
    const size_t length = static_cast<size_t>(end - begin);
    std::copy(begin, end, field);
    std::fill(field + length, field + N, '\0');
}

} // namespace

ShellNotify SystemShellNotify()
{
    return [](DWORD message, NotifyIconDataV2& data) {
        return Shell_NotifyIconA(message, reinterpret_cast<PNOTIFYICONDATAA>(&data)) != FALSE;
    };
}

TrayIcon::TrayIcon(HWND window, UINT id, UINT callbackMessage, const std::string& tip, ShellNotify shell)
    : shell_(std::move(shell))
{
    data_.cbSize = sizeof(data_);
    data_.hWnd = window;
    data_.uID = id;
    data_.uCallbackMessage = callbackMessage;
    CopyField(data_.szTip, tip);
    data_.uTimeoutOrVersion = kBehaviourVersion;
    SetVersion();
}

TrayIcon::~TrayIcon()
{
    SetVisible(false);
}

void TrayIcon::SetTip(const std::string& text)
{
    CopyField(data_.szTip, text);
}

void TrayIcon::SetBalloonTitle(const std::string& text)
{
    CopyField(data_.szInfoTitle, text);
}

HICON TrayIcon::SetIcon(HICON icon)
{
    return std::exchange(data_.hIcon, icon);
}

void TrayIcon::SetVisible(bool visible)
{
    if (visible == added_)
        return;
    if (visible) {
        Add();
    } else {
        Send(NIM_DELETE, false, std::string());
        added_ = false;
    }
}

void TrayIcon::Readd()
{
    added_ = false;
    Add();
}

bool TrayIcon::Add()
{
    // The shell may still be starting up (log-on); a failed add is tried
    // again at once, and given up after the last attempt.
    for (int attempt = 0; attempt < kAddAttempts && !added_; ++attempt)
        added_ = Send(NIM_ADD, false, std::string());
    // The behaviour version applies only to an icon the shell holds.
    if (added_)
        SetVersion();
    return added_;
}

void TrayIcon::SetVersion()
{
    // The word doubles as the balloon time-out; the version goes out in a
    // copy so that the time-out stays for later balloons.
    NotifyIconDataV2 request = data_;
    request.uTimeoutOrVersion = kBehaviourVersion;
    shell_(NIM_SETVERSION, request);
}

void TrayIcon::Modify(bool showBalloon)
{
    if (added_)
        Send(NIM_MODIFY, showBalloon, balloonText_);
}

void TrayIcon::ShowBalloon(bool show)
{
    if (added_)
        Send(NIM_MODIFY, true, show ? balloonText_ : std::string());
}

bool TrayIcon::Send(DWORD message, bool withBalloon, const std::string& balloon)
{
    data_.uFlags = NIF_MESSAGE;
    if (data_.hIcon)
        data_.uFlags |= NIF_ICON;
    if (data_.szTip[0])
        data_.uFlags |= NIF_TIP;
    if (withBalloon) {
        data_.uFlags |= NIF_INFO;
        CopyField(data_.szInfo, balloon);
    } else {
        data_.szInfo[0] = '\0';
    }
    return shell_(message, data_);
}
