#include "ipc/ControlPipeServer.h"

#include "framework/system/Trace.h"

namespace kelp::control {

ControlPipeServer::ControlPipeServer(Dispatch dispatch, const char* name)
    : dispatch_(std::move(dispatch)), name_(name), stop_(CreateEventA(nullptr, TRUE, FALSE, nullptr))
{
    if (stop_.IsValid())
        starter_ = std::make_unique<WorkerThread>([this] { Run(); });
}

ControlPipeServer::~ControlPipeServer()
{
    SetEvent(stop_.Get());
    if (starter_)
        starter_->Wait(INFINITE);
    for (Lane& lane : lanes_)
        if (lane.thread)
            lane.thread->Wait(INFINITE);
}

bool ControlPipeServer::CreateInstances()
{
    // The first instance claims the name; the others join it, so that a
    // client never finds the name served by someone else beside us.
    for (DWORD index = 0; index < kInstances; ++index) {
        Lane lane;
        lane.server = std::make_unique<MessagePipeServer>(
            [this](const uint8_t* bytes, DWORD size) { return HandleRequest(bytes, size, dispatch_); },
            // One byte more than any message may have, so that a longer one
            // arrives cut off at a length the decoder rejects.
            DWORD(kMaxMessage + 1));
        if (!lane.server->Create(name_.c_str(), {kInstances, index == 0, kSecurity}))
            return index > 0;
        lanes_.push_back(std::move(lane));
    }
    return true;
}

void ControlPipeServer::Run()
{
    // While another process holds the name (a previous run still ending, or
    // someone posing as us) the create is tried again for a while.
    for (int attempt = 1; !CreateInstances(); ++attempt) {
        if (attempt == 1)
            Trace("~~~[Control PIPE Service] can not create the control pipe, retrying");
        if (attempt == kCreateAttempts || WaitForSingleObject(stop_.Get(), kCreateRetryMs) != WAIT_TIMEOUT) {
            Trace("~~~[Control PIPE Service] gives up creating the control pipe");
            return;
        }
    }
    // This thread serves the first instance, one more thread each other one.
    const HANDLE stop = stop_.Get();
    for (size_t index = 1; index < lanes_.size(); ++index) {
        MessagePipeServer* server = lanes_[index].server.get();
        lanes_[index].thread = std::make_unique<WorkerThread>([server, stop] { server->Serve(stop); });
    }
    lanes_.front().server->Serve(stop);
}

std::vector<uint8_t> ControlPipeServer::HandleRequest(const uint8_t* bytes, DWORD size, const Dispatch& dispatch)
{
    const std::optional<Request> request = DecodeRequest(bytes, size);
    if (!request)
        return EncodeReply(Answer(Command::Status, Outcome::BadRequest));
    return EncodeReply(dispatch(*request));
}

} // namespace kelp::control
