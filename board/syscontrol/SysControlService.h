#pragma once
// The board vendor's system-control service on the virtual board: answers
// the overclock-state request from the firmware's BIOS item. The second
// value of the answer is the ACPI interface description's version word.
// A "short" reply carries the result and the state only (8 bytes).

#include "board/companion/PeerProgram.h"

namespace kelp::board {

class SysControlService final : public PeerProgram {
public:
    SysControlService(int argc, char** argv);

private:
    std::vector<uint8_t> Answer(const uint8_t* request, DWORD size, ReplyStyle style) override;
};

} // namespace kelp::board
