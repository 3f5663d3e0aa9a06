#include "app/ControlChannel.h"

#include "app/ConsoleControl.h"
#include "app/MainControlHost.h"
#include "app/MainForm.h"
#include "app/PrivateMessages.h"
#include "engine/ModeRequest.h"
#include "ipc/ControlMailbox.h"
#include "ipc/ControlPipeServer.h"
#include "framework/system/ProcessWide.h"

#include <optional>

using namespace kelp::control;

namespace {

// How long a pipe thread waits for the main thread: longer than the dial's
// animation and a mode request's wait for the change before it.
constexpr DWORD kAnswerMs = 10000;
// How long a started change may take before its outcome is judged.
constexpr DWORD kSettleMs = 10000;

bool IsModeChange(Command command)
{
    return command == Command::SetMode || command == Command::RestoreMode;
}

class Channel {
public:
    explicit Channel(TMainForm& window)
        : mailbox_(window.Handle(), kMsgControl, kMessageTag),
          host_(window),
          service_(host_),
          server_([this](const Request& request) { return Dispatch(request); })
    {
    }

    kelp::control::Status CurrentStatus() { return service_.CurrentStatus(); }

    void OnMessage(LPARAM number)
    {
        const std::optional<Job> job = mailbox_.Take(number);
        if (!job)
            return;
        std::function<void()> then;
        mailbox_.Deliver(number, service_.Handle(*job, then));
        if (then)
            then();
    }

private:
    // On a pipe thread.
    Reply Dispatch(const Request& request)
    {
        const Reply reply = mailbox_.Relay({Job::Phase::Ask, request}, kAnswerMs);
        if (!IsModeChange(request.command) || reply.outcome != Outcome::Done)
            return reply;
        // Judged also when the change outlasts the wait: its guard still set means failed.
        WaitForModeChange(kSettleMs);
        return mailbox_.Relay({Job::Phase::Confirm, request}, kAnswerMs);
    }

    ControlMailbox mailbox_;
    MainControlHost host_;
    ConsoleControl service_;
    ControlPipeServer server_;
};

std::optional<ProcessWide<Channel>>& TheChannel()
{
    static std::optional<ProcessWide<Channel>> channel;
    return channel;
}

} // namespace

void StartControlChannel(TMainForm& window)
{
    if (!TheChannel())
        TheChannel().emplace(window);
}

bool HandleControlMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != kMsgControl)
        return false;
    if (wParam == kMessageTag && TheChannel())
        (**TheChannel()).OnMessage(lParam);
    return true;
}

std::optional<Status> CurrentControlStatus()
{
    if (!TheChannel())
        return std::nullopt;
    return (**TheChannel()).CurrentStatus();
}
