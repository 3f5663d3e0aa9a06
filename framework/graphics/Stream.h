#pragma once
// Byte streams read by the image and layout readers.

#include "framework/TObject.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>
#include <windows.h>

class TStream : public TObject {
public:
    // Reads up to count bytes; returns how many were read (0 at the end).
    virtual size_t Read(void* buffer, size_t count) = 0;
};

// A file opened for reading; raises EFOpenError when it cannot be opened.
class TFileStream : public TStream {
public:
    explicit TFileStream(const std::string& fileName);
    ~TFileStream() override;
    size_t Read(void* buffer, size_t count) override;
    // Bytes in the file (0 when the size cannot be read).
    size_t Size() const;

private:
    HANDLE m_file;
};

// Reads from bytes it does not own (a resource, a buffer of the caller).
class TMemoryReadStream : public TStream {
public:
    TMemoryReadStream(const void* data, size_t size) : m_data(static_cast<const uint8_t*>(data)), m_size(size) {}
    size_t Read(void* buffer, size_t count) override;

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_position = 0;
};
