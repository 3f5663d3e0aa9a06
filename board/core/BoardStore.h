#pragma once
// The one shared, persistent board state. Like NVRAM it survives restarts:
// it lives in a state file (see BoardPaths.h) that every simulated library,
// peer program and boardctl reads and writes under the board lock. The file
// carries a format version, the body length and a CRC-32; a missing,
// truncated or corrupt file is rebuilt from the profile with a trace line.

#include "board/core/BoardState.h"

#include <functional>
#include <string>

namespace vboard {

class BoardStore {
public:
    BoardStore(); // the state file named by the environment
    explicit BoardStore(std::string statePath);

    const std::string& Path() const { return path_; }

    // A consistent snapshot. False only when the board lock cannot be taken.
    bool Read(BoardState& state) const;

    // Read-modify-write under the board lock: the state is written back when
    // `change` returns true. Returns what `change` returned (false too when
    // the lock cannot be taken or the file cannot be written).
    bool Update(const std::function<bool(BoardState&)>& change);

    // Replaces the whole state by the named profile's. False with a message
    // when the profile cannot be loaded; the state is then unchanged.
    bool LoadProfile(const std::string& name, std::string& error);

private:
    // The state, and in `text` the file's text when it held a valid state
    // (empty when the state had to be rebuilt).
    BoardState ReadLocked(std::string& text) const;
    // Writes the state unless its text is `fileText`, what the file holds.
    bool WriteLocked(const BoardState& state, const std::string& fileText) const;

    std::string path_;
};

// The state file's text: header line, then the state as INI text.
std::string EncodeState(const BoardState& state);
// False with the reason when the text is not an intact state file.
bool DecodeState(const std::string& text, BoardState& state, std::string& reason);

} // namespace vboard
