#pragma once
// Owns a kernel object handle (thread, event, mutex) and closes it once.

#include <utility>
#include <windows.h>

class TKernelHandle {
public:
    TKernelHandle() = default;
    explicit TKernelHandle(HANDLE handle) : m_handle(handle) {}
    ~TKernelHandle() { Reset(); }
    TKernelHandle(const TKernelHandle&) = delete;
    TKernelHandle& operator=(const TKernelHandle&) = delete;
    TKernelHandle(TKernelHandle&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    TKernelHandle& operator=(TKernelHandle&& other) noexcept
    {
        if (this != &other)
            Reset(std::exchange(other.m_handle, nullptr));
        return *this;
    }

    HANDLE Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }
    void Reset(HANDLE handle = nullptr)
    {
        if (m_handle)
            CloseHandle(m_handle);
        m_handle = handle;
    }

private:
    HANDLE m_handle = nullptr;
};
