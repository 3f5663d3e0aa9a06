#pragma once
// Cross-process, cross-thread lock around one board state file: a named
// mutex whose name is derived from the file's full path. Recursive for the
// owning thread. An abandoned mutex (a holder died) still counts as taken:
// the state file is only ever replaced whole, so it is consistent.

#include <windows.h>

#include <string>

namespace vboard {

class BoardLock {
public:
    explicit BoardLock(const std::string& statePath);
    ~BoardLock();
    BoardLock(const BoardLock&) = delete;
    BoardLock& operator=(const BoardLock&) = delete;

    bool Held() const { return held_; }

private:
    HANDLE mutex_; // kept open process-wide, not owned here
    bool held_ = false;
};

} // namespace vboard
