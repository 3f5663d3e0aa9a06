#pragma once
// Serves the board pipe on a thread of its own for the whole run. Each
// notification the companion sends is posted to the given window as
// `message` with the command as wParam; the window's thread handles it.

#include "ipc/MessagePipeServer.h"
#include "ipc/OwnedHandle.h"
#include "ipc/WorkerThread.h"

#include <memory>

namespace kelp {

class OrdunPipeServerThread {
public:
    // Starts serving at once.
    OrdunPipeServerThread(HWND window, UINT message);
    // Stops serving and waits for the thread to end.
    ~OrdunPipeServerThread();
    OrdunPipeServerThread(const OrdunPipeServerThread&) = delete;
    OrdunPipeServerThread& operator=(const OrdunPipeServerThread&) = delete;

    // The reply to one board-pipe request; posts the notification when the
    // command is one of the four the program knows.
    static std::vector<uint8_t> HandleRequest(const uint8_t* request, DWORD size, HWND window,
                                              UINT message);

    // Creating the pipe is tried this often, this far apart, while its name
    // is taken.
    static constexpr int kCreateAttempts = 120;
    static constexpr DWORD kCreateRetryMs = 1000;

private:
    void Run();

    HWND window_;
    UINT message_;
    OwnedHandle stop_;
    MessagePipeServer server_;
    std::unique_ptr<WorkerThread> thread_;
};

} // namespace kelp
