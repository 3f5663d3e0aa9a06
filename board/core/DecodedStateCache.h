#pragma once
// The state a process last decoded, with the file version it stands for
// (its stamp and exact text). Decoding the state file is most of the cost of
// a board access, and between two accesses the file rarely changes: while
// the file's stamp is the one kept, its state is taken without even opening
// the file. Thread-safe.

#include "board/core/BoardState.h"
#include "board/core/FileText.h"

#include <functional>
#include <mutex>
#include <string>

namespace vboard {

class DecodedStateCache {
public:
    static DecodedStateCache& Instance();

    // True with the kept state (and text, when asked) when `stamp` matches.
    bool Find(const std::string& path, const FileStamp& stamp, BoardState& state, std::string* text = nullptr);
    // The same without a copy: `look` sees the kept state in place.
    bool Visit(const std::string& path, const FileStamp& stamp, const std::function<void(const BoardState&)>& look);
    // A version whose text is the one kept (the file rewritten unchanged)
    // takes over the kept state without a decode: true with a copy of it.
    bool Restamp(const std::string& path, const std::string& text, const FileStamp& stamp, BoardState& state);
    void Keep(const std::string& path, const FileStamp& stamp, const std::string& text, const BoardState& state);

private:
    bool IsKept(const std::string& path, const FileStamp& stamp) const { return path == path_ && stamp == stamp_; }

    std::mutex lock_;
    std::string path_;
    FileStamp stamp_;
    std::string text_;
    BoardState state_;
};

} // namespace vboard
