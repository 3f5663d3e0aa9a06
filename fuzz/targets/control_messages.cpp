// Messages on the control pipe: requests from any local process, and
// replies as pellixctl reads them. Whatever decodes must encode back to
// the very same bytes.

#include "ipc/ControlProtocol.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    namespace control = kelp::control;
    std::vector<uint8_t> bytes(data, data + size);
    if (const auto request = control::DecodeRequest(bytes.data(), bytes.size())) {
        if (control::EncodeRequest(*request) != bytes)
            __builtin_trap();
    }
    if (const auto reply = control::DecodeReply(bytes.data(), bytes.size())) {
        if (bytes.size() > control::kMaxMessage || control::EncodeReply(*reply) != bytes)
            __builtin_trap();
    }
    return 0;
}
