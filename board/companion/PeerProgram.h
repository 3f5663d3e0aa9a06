#pragma once
// Skeleton of the scripted peer programs of the virtual board. A peer serves
// its service pipe on a worker thread and is steered by tests through a
// control pipe of its own (--control <pipe name>), one text command per
// message:
//   "reply normal" | "reply short" | "reply hang"   how to answer requests
//   "quit"                                          stop serving and exit
// plus the commands of the peer itself. Each command is answered "ok", or
// "error: ..." when it is not understood. "--reply <style>" sets the
// style to start with; the peer's own options come as "--<name> <value>".

#include "board/companion/ReplyGate.h"
#include "ipc/MessagePipeServer.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace kelp::board {

class PeerProgram {
public:
    PeerProgram(const char* servicePipe, int argc, char** argv);
    virtual ~PeerProgram() = default;
    PeerProgram(const PeerProgram&) = delete;
    PeerProgram& operator=(const PeerProgram&) = delete;

    // Serves until "quit"; the process exit code.
    int Run();

protected:
    std::string Option(const std::string& name, const std::string& fallback) const;
    // Decimal or 0x-prefixed hexadecimal.
    uint32_t NumberOption(const std::string& name, uint32_t fallback) const;

    // The answer to one service request in the given style; empty for none.
    virtual std::vector<uint8_t> Answer(const uint8_t* request, DWORD size, ReplyStyle style) = 0;
    // A command of the peer's own: its answer, or "" when the verb is unknown.
    virtual std::string Control(const std::string& verb, const std::string& argument);
    // Around serving: after the service pipe is up, and after it is closed.
    virtual void Started() {}
    virtual void Stopped() {}

private:
    std::vector<uint8_t> ServeRequest(const uint8_t* request, DWORD size);
    std::string HandleControl(const std::string& command);

    std::string servicePipe_;
    std::map<std::string, std::string> options_;
    OwnedHandle quit_;
    std::atomic<bool> quitRequested_{false};
    ReplyGate gate_;
    MessagePipeServer service_;
    MessagePipeServer control_;
};

// Words as they go over the pipes.
std::vector<uint8_t> Words(std::initializer_list<uint32_t> words);

} // namespace kelp::board
