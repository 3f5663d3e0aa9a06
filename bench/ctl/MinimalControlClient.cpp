// The floor of `pellixctl get`: a console program that asks the control pipe
// for the status with one bare CallNamedPipeA and prints the level.

#include "ipc/ControlProtocol.h"

#include <windows.h>

#include <cstdio>
#include <string>

int main()
{
    namespace control = kelp::control;
    const std::vector<uint8_t> request = control::EncodeRequest(control::Request{control::Command::Status});
    uint8_t reply[control::kMaxMessage];
    DWORD read = 0;
    const std::string path = std::string("\\\\.\\pipe\\") + control::kPipeName;
    if (!CallNamedPipeA(path.c_str(), const_cast<uint8_t*>(request.data()), DWORD(request.size()), reply,
                        sizeof reply, &read, 30000))
        return 3;
    const auto decoded = control::DecodeReply(reply, read);
    if (!decoded)
        return 1;
    std::printf("%u\n", decoded->status.level);
    return 0;
}
