#pragma once
// Serves a local message pipe, one client at a time: read one request,
// answer it, disconnect. Clients are untrusted: a request may have any
// length and content, and a client that stalls or leaves early costs the
// server at most a short time-out, never its loop.

#include "kelp/System/WinPipe.h"
#include "ipc/OwnedHandle.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace kelp {

class LocalPipeSecurity;

class MessagePipeServer {
public:
    // Builds the reply to one request (the first requestCapacity bytes of
    // it); an empty reply sends nothing.
    using Handler = std::function<std::vector<uint8_t>(const uint8_t* request, DWORD size)>;

    // How long a connected client may take to send the rest of its request
    // or to take its reply.
    static constexpr DWORD kClientTimeoutMs = 2000;
    // How long a connected client may stay silent. A real client writes
    // its request right after connecting; one that sends nothing would
    // otherwise keep the single instance from everyone else.
    static constexpr DWORD kFirstByteTimeoutMs = 500;

    MessagePipeServer(Handler handler, DWORD requestCapacity);

    // Creates the single instance of "\\.\PIPE\<name>" for local clients.
    // Fails when any process already serves the name, so that nobody can
    // place an instance of their own in front of or beside ours.
    bool Create(const char* name, bool inheritHandle);
    // One of up to maxInstances instances of the name, with the given
    // security; only the first may be created while nobody serves the name
    // (the later ones join the server's own first instance).
    struct Instance {
        DWORD maxInstances;
        bool first;
        const char* securityDescriptor;  // SDDL
    };
    bool Create(const char* name, const Instance& instance);
    // Serves clients until stopEvent is signalled; needs a created pipe.
    void Serve(HANDLE stopEvent);
    // Waits for one client and serves it; returns early when stopEvent is
    // signalled.
    void ServeClient(HANDLE stopEvent);

private:
    bool Create(const char* name, DWORD maxInstances, bool first, LocalPipeSecurity& security);
    bool ReadRequest(HANDLE stopEvent, DWORD& size);
    void SendReply(const std::vector<uint8_t>& reply, HANDLE stopEvent);
    OVERLAPPED FreshOverlapped() const;

    Handler handler_;
    NamedPipeA pipe_;
    OwnedHandle ioEvent_;
    std::vector<uint8_t> request_;
    std::vector<uint8_t> discard_;
};

} // namespace kelp
