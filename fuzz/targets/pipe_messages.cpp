// Messages from other processes: requests on the board pipe, and replies
// from the graphics companion and the system-control service read the way
// their clients read them.

#include "ipc/BoardRequest.h"
#include "ipc/PipeReply.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> bytes(data, data + size);
    const kelp::ordun::BoardRequest request = kelp::ordun::DecodeBoardRequest(bytes.data(), bytes.size());
    if (kelp::ordun::BoardReply(request).size() != 4 || (request.known && !request.complete))
        __builtin_trap();

    kelp::PipeReply reply;
    reply.Assign(bytes.data(), uint32_t(bytes.size()));
    uint32_t word = 0;
    reply.Result(word);
    for (size_t index = 0; index < 4; ++index)
        reply.PayloadWord(index, word);
    // The whole payload, as a client that copies it would read it.
    uint32_t sum = 0;
    for (uint32_t i = 0; i < reply.PayloadSize(); ++i)
        sum += reply.Payload()[i];
    volatile uint32_t keep = sum;
    (void)keep;
    return 0;
}
