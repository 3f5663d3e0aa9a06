#include "ipc/OrdunPipeServerThread.h"

#include "framework/system/Trace.h"
#include "ipc/BoardRequest.h"
#include "ipc/OrdunProtocol.h"

namespace kelp {

OrdunPipeServerThread::OrdunPipeServerThread(HWND window, UINT message)
    : window_(window),
      message_(message),
      stop_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      server_([this](const uint8_t* request, DWORD size) {
          return HandleRequest(request, size, window_, message_);
      }, ordun::kBoardPipeBufferSize),
      thread_(std::make_unique<WorkerThread>([this] { Run(); }))
{
}

OrdunPipeServerThread::~OrdunPipeServerThread()
{
    SetEvent(stop_.Get());
    thread_->Wait(INFINITE);
}

void OrdunPipeServerThread::Run()
{
    if (!stop_.IsValid())
        return;
    // The pipe handle is inheritable. While another process holds the name
    // (a previous run still ending, or someone posing as us) the create is
    // tried again for a while instead of leaving the companion unheard.
    for (int attempt = 1; !server_.Create(ordun::kBoardPipeName, true); ++attempt) {
        if (attempt == 1)
            Trace("~~~[Ordun PIPE Service] MB Pipe Server can not create the pipe, retrying");
        if (attempt == kCreateAttempts) {
            Trace("~~~[Ordun PIPE Service] MB Pipe Server gives up creating the pipe");
            return;
        }
        if (WaitForSingleObject(stop_.Get(), kCreateRetryMs) != WAIT_TIMEOUT)
            return;
    }
    server_.Serve(stop_.Get());
}

std::vector<uint8_t> OrdunPipeServerThread::HandleRequest(const uint8_t* request, DWORD size,
                                                          HWND window, UINT message)
{
    const ordun::BoardRequest decoded = ordun::DecodeBoardRequest(request, size);
    if (decoded.known)
        PostMessageA(window, message, decoded.command, 0);
    else if (decoded.complete)
        Trace("~~~[Ordun PIPE Service] MB Pipe Server can not handle the command %x", decoded.command);
    return ordun::BoardReply(decoded);
}

} // namespace kelp
