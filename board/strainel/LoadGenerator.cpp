#include "board/strainel/LoadGenerator.h"

#include <cstdint>

namespace strainel {

LoadGenerator& LoadGenerator::Instance()
{
    static LoadGenerator generator;
    return generator;
}

bool LoadGenerator::Start(unsigned threads, DWORD busyMs, DWORD periodMs)
{
    std::lock_guard guard(lock_);
    StopLocked();
    if (threads == 0 || threads > kMaxThreads || busyMs == 0 || busyMs > periodMs)
        return false;
    stop_ = false;
    busyMs_ = busyMs;
    periodMs_ = periodMs;
    for (unsigned i = 0; i < threads; ++i) {
        // Each worker holds a reference to this library so that unloading
        // it while a load runs cannot pull the code from under the worker.
        HMODULE self = nullptr;
        if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&Work), &self)) {
            StopLocked();
            return false;
        }
        HANDLE worker = CreateThread(nullptr, 0, Work, self, 0, nullptr);
        if (!worker) {
            FreeLibrary(self);
            StopLocked();
            return false;
        }
        workers_.push_back(worker);
    }
    return true;
}

void LoadGenerator::Stop()
{
    std::lock_guard guard(lock_);
    StopLocked();
}

void LoadGenerator::StopLocked()
{
    if (workers_.empty())
        return;
    stop_ = true;
    WaitForMultipleObjects(DWORD(workers_.size()), workers_.data(), TRUE, INFINITE);
    for (HANDLE worker : workers_)
        CloseHandle(worker);
    workers_.clear();
}

DWORD WINAPI LoadGenerator::Work(void* module)
{
    LoadGenerator& generator = Instance();
    const DWORD busy = generator.busyMs_;
    const DWORD period = generator.periodMs_;
    volatile uint32_t sink = 0;
    while (!generator.stop_.load(std::memory_order_relaxed)) {
        const ULONGLONG start = GetTickCount64();
        while (GetTickCount64() - start < busy && !generator.stop_.load(std::memory_order_relaxed))
            for (int i = 0; i < 10000; ++i)
                sink = sink + 1;
        if (busy < period)
            Sleep(period - busy);
    }
    FreeLibraryAndExitThread(static_cast<HMODULE>(module), 0);
}

} // namespace strainel
