#pragma once
// Decoding of one board-pipe request from the graphics-card companion and
// the reply to it. Any process on the machine may connect, so a request
// may have any length and content. Plain C++ so that it runs anywhere.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kelp::ordun {

struct BoardRequest {
    bool complete = false;  // at least the 4-byte command arrived
    uint32_t command = 0;   // valid when complete
    bool known = false;     // one of the four notifications
};

// Bytes after the command word are ignored.
BoardRequest DecodeBoardRequest(const uint8_t* bytes, size_t size);

// The 4-byte reply: result 1 for a known command, 0 for anything else.
std::vector<uint8_t> BoardReply(const BoardRequest& request);

} // namespace kelp::ordun
