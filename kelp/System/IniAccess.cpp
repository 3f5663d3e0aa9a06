#include "kelp/System/IniAccess.h"

#include "kelp/System/Assert.h"

#include <new>
#include <utility>

namespace kelp {

namespace {
const char* const kSource = "kelp\\System\\Source\\IniAccess";
const DWORD kInitialBufferSize = 128;
// Far beyond any real INI value; stops the doubling before the size wraps.
const DWORD kLargestBufferSize = 0x40000000;
} // namespace

IniAccess::~IniAccess()
{
    Close();
}

bool IniAccess::Open(const std::string& path)
{
    KELP_ASSERT(!IsOpen(), kSource, __LINE__);
    try {
        path_ = path;
        if (Reallocate(kInitialBufferSize))
            return true;
    } catch (const std::bad_alloc&) {
    }
    Close();
    return false;
}

// Keeps the current buffer when the new one cannot be had.
bool IniAccess::Reallocate(DWORD size)
{
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[size]);
    if (!buffer)
        return false;
    buffer_ = std::move(buffer);
    bufferSize_ = size;
    return true;
}

std::string IniAccess::ReadString(const char* section, const char* key, const char* defaultValue)
{
    const char* fallback = defaultValue ? defaultValue : "";
    if (!IsOpen())
        return fallback;
    // A list ends in two NUL characters, a single value in one; a result
    // that reaches the end of the buffer may have been cut short.
    const DWORD reserve = (section && key) ? 1 : 2;
    for (;;) {
        DWORD length = GetPrivateProfileStringA(section, key, defaultValue, buffer_.get(), bufferSize_, path_.c_str());
        if (length + reserve < bufferSize_)
            return std::string(buffer_.get(), length);
        if (bufferSize_ >= kLargestBufferSize || !Reallocate(bufferSize_ * 2))
            return fallback;
    }
}

void IniAccess::Close()
{
    if (!path_.empty())
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str());
    path_.clear();
    buffer_.reset();
    bufferSize_ = 0;
}

} // namespace kelp
