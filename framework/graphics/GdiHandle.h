#pragma once
// Owning wrappers for GDI handles: each deletes its handle exactly once.

#include <utility>
#include <windows.h>

template <typename Handle, BOOL(WINAPI* Free)(Handle)>
class TOwnedHandle {
public:
    TOwnedHandle() = default;
    explicit TOwnedHandle(Handle handle) : m_handle(handle) {}
    ~TOwnedHandle() { Reset(); }
    TOwnedHandle(const TOwnedHandle&) = delete;
    TOwnedHandle& operator=(const TOwnedHandle&) = delete;
    TOwnedHandle(TOwnedHandle&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    TOwnedHandle& operator=(TOwnedHandle&& other) noexcept
    {
        if (this != &other)
            Reset(std::exchange(other.m_handle, nullptr));
        return *this;
    }

    Handle Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }
    Handle Release() { return std::exchange(m_handle, nullptr); }
    void Reset(Handle handle = nullptr)
    {
        if (m_handle)
            Free(m_handle);
        m_handle = handle;
    }

private:
    Handle m_handle = nullptr;
};

inline BOOL WINAPI DeleteGdiObject(HGDIOBJ object) { return DeleteObject(object); }

using TGdiObject = TOwnedHandle<HGDIOBJ, DeleteGdiObject>;
using TMemoryDC = TOwnedHandle<HDC, DeleteDC>;
