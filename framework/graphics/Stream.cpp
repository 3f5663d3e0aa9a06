#include "framework/graphics/Stream.h"

#include "framework/graphics/GraphicsError.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

TFileStream::TFileStream(const std::string& fileName)
    : m_file(CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr))
{
    if (m_file == INVALID_HANDLE_VALUE)
        throw EFOpenError(fileName);
}

TFileStream::~TFileStream()
{
    CloseHandle(m_file);
}

size_t TFileStream::Read(void* buffer, size_t count)
{
    DWORD read = 0;
    if (!ReadFile(m_file, buffer, static_cast<DWORD>(std::min<size_t>(count, 0x7FFFFFFF)), &read, nullptr))
        return 0;
    return read;
}

size_t TFileStream::Size() const
{
    LARGE_INTEGER size;
    return GetFileSizeEx(m_file, &size) && size.QuadPart <= LONGLONG(SIZE_MAX) ? size_t(size.QuadPart) : 0;
}

size_t TMemoryReadStream::Read(void* buffer, size_t count)
{
    size_t n = std::min(count, m_size - m_position);
    std::memcpy(buffer, m_data + m_position, n);
    m_position += n;
    return n;
}
