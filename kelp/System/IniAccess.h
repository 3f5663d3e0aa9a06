#pragma once
// Reads strings from an INI file through the system's private-profile
// functions. Open only remembers the path and prepares a read buffer; the
// file itself is touched by each read.

#include <windows.h>

#include <memory>
#include <string>

namespace kelp {

class IniAccess {
public:
    IniAccess() = default;
    ~IniAccess();
    IniAccess(const IniAccess&) = delete;
    IniAccess& operator=(const IniAccess&) = delete;

    // Asserts the object is not open yet. False when the buffer cannot be
    // allocated; the object is closed then.
    bool Open(const std::string& path);
    bool IsOpen() const { return buffer_ != nullptr; }

    // The value of section/key, or defaultValue when it is missing or the
    // object is closed. With section or key null the system's list form is
    // returned: every name followed by a NUL character. The buffer doubles
    // until the whole text fits.
    std::string ReadString(const char* section, const char* key, const char* defaultValue);

    // Flushes the system's cache for the file and releases the buffer.
    void Close();

private:
    bool Reallocate(DWORD size);

    std::string path_;
    std::unique_ptr<char[]> buffer_;
    DWORD bufferSize_ = 128;
};

} // namespace kelp
