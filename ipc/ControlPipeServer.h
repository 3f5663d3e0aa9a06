#pragma once
// Serves the control pipe for pellixctl on a few threads of their own, one
// pipe instance each, for the whole run; each blocks until a client comes,
// so nothing runs while nobody asks. With several instances a client that
// stays silent, reads slowly or waits for a long change keeps out nobody
// else. The pipe admits the system, the administrators and the interactive
// user, and only local clients.

#include "ipc/ControlProtocol.h"
#include "ipc/MessagePipeServer.h"
#include "ipc/OwnedHandle.h"
#include "ipc/WorkerThread.h"

#include <functional>
#include <memory>
#include <vector>

namespace kelp::control {

class ControlPipeServer {
public:
    // Answers one well-formed request; runs on a pipe thread.
    using Dispatch = std::function<Reply(const Request&)>;

    static constexpr DWORD kInstances = 4;
    // Network logons are denied; the system, the administrators and the
    // user logged on at the console get read and write.
    static constexpr const char* kSecurity = "D:P(D;;GA;;;NU)(A;;GRGW;;;SY)(A;;GRGW;;;BA)(A;;GRGW;;;IU)";

    // Starts serving at once under the name (kPipeName but in tests).
    ControlPipeServer(Dispatch dispatch, const char* name = kPipeName);
    // Stops serving and waits for the threads to end.
    ~ControlPipeServer();
    ControlPipeServer(const ControlPipeServer&) = delete;
    ControlPipeServer& operator=(const ControlPipeServer&) = delete;

    // The reply bytes to one request as it arrived.
    static std::vector<uint8_t> HandleRequest(const uint8_t* bytes, DWORD size, const Dispatch& dispatch);

    // False when the first instance could not be created (someone else
    // serves the name).
    bool IsServing() const { return serving_; }

private:
    struct Lane {
        std::unique_ptr<MessagePipeServer> server;
        std::unique_ptr<WorkerThread> thread;
    };

    Dispatch dispatch_;
    OwnedHandle stop_;
    std::vector<Lane> lanes_;
    bool serving_ = false;
};

} // namespace kelp::control
