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
#include <string>
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

    // Creating the pipe is tried this often, this far apart, while its name
    // is taken.
    static constexpr int kCreateAttempts = 120;
    static constexpr DWORD kCreateRetryMs = 1000;

    // Starts serving under the name (kPipeName but in tests) on its own
    // threads; returns at once.
    explicit ControlPipeServer(Dispatch dispatch, const char* name = kPipeName);
    // Stops serving and waits for the threads to end.
    ~ControlPipeServer();
    ControlPipeServer(const ControlPipeServer&) = delete;
    ControlPipeServer& operator=(const ControlPipeServer&) = delete;

    // The reply bytes to one request as it arrived.
    static std::vector<uint8_t> HandleRequest(const uint8_t* bytes, DWORD size, const Dispatch& dispatch);

private:
    struct Lane {
        std::unique_ptr<MessagePipeServer> server;
        std::unique_ptr<WorkerThread> thread;
    };

    // On the starter thread, which then serves the first instance.
    void Run();
    // Partly created instances are kept and served: any is better than none.
    bool CreateInstances();

    Dispatch dispatch_;
    std::string name_;
    OwnedHandle stop_;
    // Filled by the starter thread before any lane thread starts; read by
    // the destructor once the starter has ended.
    std::vector<Lane> lanes_;
    std::unique_ptr<WorkerThread> starter_;
};

} // namespace kelp::control
