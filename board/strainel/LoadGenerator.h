#pragma once
// A real processor load: worker threads that spin, either all the time or
// for a share of every short period. One load runs at a time; starting a
// new one ends the old one first. Thread-safe.

#include <windows.h>

#include <atomic>
#include <mutex>
#include <vector>

namespace strainel {

class LoadGenerator {
public:
    static LoadGenerator& Instance();

    // Most worker threads one load may have.
    static constexpr unsigned kMaxThreads = 64;

    // `threads` workers, each busy `busyMs` of every `periodMs` (busyMs =
    // periodMs: always busy). False, with nothing running, when the
    // arguments are out of range or a thread cannot be started.
    bool Start(unsigned threads, DWORD busyMs, DWORD periodMs);
    // Ends the load and waits until every worker has finished.
    void Stop();

private:
    LoadGenerator() = default;
    static DWORD WINAPI Work(void* module);
    void StopLocked();

    std::mutex lock_;
    std::atomic<bool> stop_{false};
    std::atomic<DWORD> busyMs_{0};
    std::atomic<DWORD> periodMs_{0};
    std::vector<HANDLE> workers_;
};

} // namespace strainel
