#pragma once
// The last state file this process read or wrote, as text and decoded.
// Decoding costs more than reading the file, and most reads find the file
// as this process left it: an identical text is not decoded again. Keyed
// by the text itself, so a change by any other process is always seen.

#include "board/core/BoardState.h"

#include <string>

namespace vboard {

class StateCache {
public:
    // True, with the state, when `text` is what was last remembered for the path.
    static bool Find(const std::string& path, const std::string& text, BoardState& state);
    static void Remember(const std::string& path, const std::string& text, const BoardState& state);
};

} // namespace vboard
