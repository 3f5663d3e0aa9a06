#pragma once
// Tells a thread when a board state file may have changed, so that it can
// keep what it last read instead of reading the file again and again: a
// change notification on the file's folder, signalled when a file there is
// replaced, written or removed. Any such change counts, ours too.

#include <windows.h>

#include <string>

namespace vboard {

class StateChangeWatch {
public:
    explicit StateChangeWatch(const std::string& statePath);
    ~StateChangeWatch();
    StateChangeWatch(const StateChangeWatch&) = delete;
    StateChangeWatch& operator=(const StateChangeWatch&) = delete;

    // False when the folder cannot be watched: then every look must read.
    bool Watching() const { return handle_ != INVALID_HANDLE_VALUE; }

    // Waits up to `timeoutMs` (INFINITE allowed) for a change; true when one
    // came. Call Rearm before reading the state again, so that a change made
    // while it is read is reported by the next wait. A watch that cannot be
    // rearmed would stay signalled and turn every wait into a busy loop, so
    // it stops watching instead.
    bool Wait(DWORD timeoutMs) const;
    void Rearm();
    // Signalled on a change, for waits on more than the change alone.
    HANDLE Event() const { return handle_; }

private:
    HANDLE handle_;
};

} // namespace vboard
