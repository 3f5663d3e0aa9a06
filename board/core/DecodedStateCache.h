#pragma once
// The state a process last decoded, with the exact file text it
// stands for. Decoding the state file is most of the cost of a board
// access, and between two accesses the file rarely changes (the firmware
// reads it every period): when the text read is byte for byte the one
// kept, its state is taken without decoding. Thread-safe.

#include "board/core/BoardState.h"

#include <functional>
#include <mutex>
#include <string>

namespace vboard {

class DecodedStateCache {
public:
    static DecodedStateCache& Instance();

    // True with the kept state when `text` of `path` is the text kept.
    bool Find(const std::string& path, const std::string& text, BoardState& state);
    // The same without a copy: `look` sees the kept state in place.
    bool Visit(const std::string& path, const std::string& text, const std::function<void(const BoardState&)>& look);
    void Keep(const std::string& path, const std::string& text, const BoardState& state);

private:
    std::mutex lock_;
    std::string path_;
    std::string text_;
    BoardState state_;
};

} // namespace vboard
