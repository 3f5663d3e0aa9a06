#pragma once
// The one shared, persistent board state. Like NVRAM it survives restarts:
// it lives in a state file (see BoardPaths.h) that every simulated library,
// peer program and boardctl reads and writes under the board lock (a read
// that finds the version it decoded last needs neither lock nor file). The file
// carries a format version, the body length and a CRC-32; a missing,
// truncated or corrupt file is rebuilt from the profile with a trace line.

#include "board/core/BoardState.h"
#include "board/core/FileText.h"

#include <functional>
#include <string>

namespace vboard {

class BoardStore {
public:
    BoardStore(); // the state file named by the environment
    explicit BoardStore(std::string statePath);

    const std::string& Path() const { return path_; }

    // A consistent snapshot. False only when the board lock cannot be taken.
    // While the file still holds the version this process last decoded, the
    // state is taken from memory without the lock or opening the file.
    bool Read(BoardState& state) const;

    // Read for a look only: `look` sees the state in place when it is the
    // one this process last decoded, which spares the copy. False, and
    // `look` not called, only when the board lock cannot be taken.
    bool Inspect(const std::function<void(const BoardState&)>& look) const;

    // Read-modify-write under the board lock: the state is written back when
    // `change` returns true and has altered it. Returns what `change`
    // returned (false too when the lock cannot be taken or the file cannot be
    // written).
    bool Update(const std::function<bool(BoardState&)>& change);

    // Replaces the whole state by the named profile's. False with a message
    // when the profile cannot be loaded; the state is then unchanged.
    bool LoadProfile(const std::string& name, std::string& error);

private:
    // Under the board lock: the file's current state, read, decoded or
    // rebuilt from the profile as needed and kept as this process's decoded
    // state. `text` receives the file's text when the state came from the
    // file (it stays empty for a rebuilt state that could not be written, or
    // an empty board).
    BoardState LoadLocked(std::string* text = nullptr) const;
    bool WriteLocked(const std::string& text, FileStamp* written = nullptr) const;

    std::string path_;
};

// The state file's text: header line, then the state as INI text.
std::string EncodeState(const BoardState& state);
// False with the reason when the text is not an intact state file.
bool DecodeState(const std::string& text, BoardState& state, std::string& reason);

} // namespace vboard
