#include "ipc/BoardRequest.h"

#include "ipc/OrdunProtocol.h"

#include <cstring>

namespace kelp::ordun {

BoardRequest DecodeBoardRequest(const uint8_t* bytes, size_t size)
{
    BoardRequest request;
    if (!bytes || size < sizeof(uint32_t))
        return request;
    request.complete = true;
    std::memcpy(&request.command, bytes, sizeof request.command);
    switch (request.command) {
    case kVgaConnected:
    case kVgaDisconnected:
    case kVgaSyncChanged:
    case kVgaModeChanged:
        request.known = true;
        break;
    default:
        break;
    }
    return request;
}

std::vector<uint8_t> BoardReply(const BoardRequest& request)
{
    const uint32_t result = request.known ? kResultOk : kResultFailed;
    std::vector<uint8_t> reply(sizeof result);
    std::memcpy(reply.data(), &result, sizeof result);
    return reply;
}

} // namespace kelp::ordun
