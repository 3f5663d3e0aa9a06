#include "ipc/ControlPipeServer.h"

#include "kelp/System/Trace.h"

namespace kelp::control {

ControlPipeServer::ControlPipeServer(Dispatch dispatch, const char* name)
    : dispatch_(std::move(dispatch)), stop_(CreateEventA(nullptr, TRUE, FALSE, nullptr))
{
    if (!stop_.IsValid())
        return;
    // The instances are created here, the first one claiming the name, so
    // that a client never finds a name served by fewer of them than meant.
    for (DWORD index = 0; index < kInstances; ++index) {
        Lane lane;
        lane.server = std::make_unique<MessagePipeServer>(
            [this](const uint8_t* bytes, DWORD size) { return HandleRequest(bytes, size, dispatch_); },
            // One byte more than any message may have, so that a longer one
            // arrives cut off at a length the decoder rejects.
            DWORD(kMaxMessage + 1));
        if (!lane.server->Create(name, {kInstances, index == 0, kSecurity})) {
            if (index == 0) {
                Trace("~~~[Control PIPE Service] can not create the control pipe");
                return;
            }
            break;
        }
        lanes_.push_back(std::move(lane));
    }
    serving_ = true;
    for (Lane& lane : lanes_) {
        MessagePipeServer* server = lane.server.get();
        const HANDLE stop = stop_.Get();
        lane.thread = std::make_unique<WorkerThread>([server, stop] { server->Serve(stop); });
    }
}

ControlPipeServer::~ControlPipeServer()
{
    SetEvent(stop_.Get());
    for (Lane& lane : lanes_)
        if (lane.thread)
            lane.thread->Wait(INFINITE);
}

std::vector<uint8_t> ControlPipeServer::HandleRequest(const uint8_t* bytes, DWORD size, const Dispatch& dispatch)
{
    const std::optional<Request> request = DecodeRequest(bytes, size);
    if (!request)
        return EncodeReply(Answer(Command::Status, Outcome::BadRequest));
    return EncodeReply(dispatch(*request));
}

} // namespace kelp::control
