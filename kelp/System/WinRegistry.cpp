#include "kelp/System/WinRegistry.h"

#include "kelp/System/Assert.h"
#include "kelp/System/RegistryValue.h"

#include <cstring>
#include <vector>

namespace kelp {

namespace {

const char* const kSource = "kelp\\System\\Source\\WinRegistry";

// The value is only assigned when the stored data really is a DWORD, so a
// caller's default survives a value of the wrong type.
bool QueryDword(HKEY key, const char* name, DWORD& value)
{
    if (!key)
        return false;
    uint8_t data[sizeof(DWORD)] = {};
    DWORD type = 0, size = sizeof(data);
    uint32_t decoded = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, data, &size) != ERROR_SUCCESS ||
        !DecodeRegistryDword(type, data, size, decoded))
        return false;
    value = decoded;
    return true;
}

// Reads through a scratch copy: on a type mismatch or a value that does not
// fit, the caller's buffer and size stay as they were.
bool QueryBinary(HKEY key, const char* name, void* buffer, DWORD& size)
{
    if (!key || (!buffer && size != 0))
        return false;
    std::vector<BYTE> data(size);
    DWORD type = 0, stored = size;
    if (RegQueryValueExA(key, name, nullptr, &type, data.data(), &stored) != ERROR_SUCCESS)
        return false;
    if (type != REG_BINARY)
        return false;
    if (stored != 0)
        std::memcpy(buffer, data.data(), stored);
    size = stored;
    return true;
}

// The size is asked first; a value that grows between the two calls fails
// the second one.
bool QueryString(HKEY key, const char* name, std::string& text)
{
    if (!key)
        return false;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || !IsRegistryStringType(type))
        return false;
    std::vector<uint8_t> data(size);
    DWORD stored = size;
    if (RegQueryValueExA(key, name, nullptr, &type, data.data(), &stored) != ERROR_SUCCESS || stored > size)
        return false;
    return DecodeRegistryString(type, data.data(), stored, text);
}

void CloseKey(HKEY& handle, RegistryNameBuffer& valueNames, RegistryNameBuffer& subKeyNames)
{
    if (handle) {
        RegCloseKey(handle);
        handle = nullptr;
    }
    valueNames.Free();
    subKeyNames.Free();
}

} // namespace

// --- RegistryNameBuffer -----------------------------------------------------

RegistryNameBuffer::RegistryNameBuffer(Kind kind) : kind_(kind) {}

void RegistryNameBuffer::Allocate(HKEY key)
{
    Free();
    key_ = key;
    DWORD longestSubKey = 0, longestValueName = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, &longestSubKey, nullptr, nullptr,
                         &longestValueName, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return;
    DWORD length = (kind_ == Kind::ValueNames ? longestValueName : longestSubKey) + 1;
    buffer_ = std::make_unique<char[]>(length);
    length_ = length;
}

void RegistryNameBuffer::Free()
{
    buffer_.reset();
    length_ = 0;
    key_ = nullptr;
}

bool RegistryNameBuffer::NameAt(DWORD index, std::string& name) const
{
    if (!key_ || length_ == 0)
        return false;
    DWORD length = length_;
    LONG result = kind_ == Kind::ValueNames
        ? RegEnumValueA(key_, index, buffer_.get(), &length, nullptr, nullptr, nullptr, nullptr)
        : RegEnumKeyExA(key_, index, buffer_.get(), &length, nullptr, nullptr, nullptr, nullptr);
    if (result != ERROR_SUCCESS)
        return false;
    name.assign(buffer_.get(), length);
    return true;
}

// --- RegistryKeyReader ------------------------------------------------------

RegistryKeyReader::RegistryKeyReader()
    : valueNames_(RegistryNameBuffer::Kind::ValueNames), subKeyNames_(RegistryNameBuffer::Kind::SubKeyNames)
{
}

RegistryKeyReader::~RegistryKeyReader()
{
    Close();
}

REGSAM RegistryKeyReader::AccessRights() const
{
    return KEY_READ;
}

bool RegistryKeyReader::Open(HKEY root, const char* subKey)
{
    KELP_ASSERT(!IsOpen(), kSource, __LINE__);
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subKey, 0, AccessRights(), &key) != ERROR_SUCCESS)
        return false;
    handle_ = key;
    AllocateNameBuffers();
    open_ = true;
    return true;
}

void RegistryKeyReader::AllocateNameBuffers()
{
    KELP_ASSERT(!IsOpen(), kSource, __LINE__);
    valueNames_.Allocate(handle_);
    subKeyNames_.Allocate(handle_);
}

bool RegistryKeyReader::ReadDword(const char* name, DWORD& value)
{
    return QueryDword(handle_, name, value);
}

bool RegistryKeyReader::ReadBinary(const char* name, void* buffer, DWORD& size)
{
    return QueryBinary(handle_, name, buffer, size);
}

bool RegistryKeyReader::ReadString(const char* name, std::string& text)
{
    return QueryString(handle_, name, text);
}

void RegistryKeyReader::Close()
{
    CloseKey(handle_, valueNames_, subKeyNames_);
    open_ = false;
}

// --- RegistryKey ------------------------------------------------------------

RegistryKey::RegistryKey()
    : valueNames_(RegistryNameBuffer::Kind::ValueNames), subKeyNames_(RegistryNameBuffer::Kind::SubKeyNames)
{
}

RegistryKey::~RegistryKey()
{
    Close();
}

bool RegistryKey::Open(HKEY root, const char* subKey, bool create)
{
    KELP_ASSERT(!IsOpen(), kSource, __LINE__);
    HKEY key = nullptr;
    LONG result = create
        ? RegCreateKeyExA(root, subKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)
        : RegOpenKeyExA(root, subKey, 0, KEY_ALL_ACCESS, &key);
    if (result != ERROR_SUCCESS)
        return false;
    handle_ = key;
    AllocateNameBuffers();
    open_ = true;
    return true;
}

void RegistryKey::AllocateNameBuffers()
{
    KELP_ASSERT(!IsOpen(), kSource, __LINE__);
    valueNames_.Allocate(handle_);
    subKeyNames_.Allocate(handle_);
}

bool RegistryKey::ReadDword(const char* name, DWORD& value)
{
    return QueryDword(handle_, name, value);
}

bool RegistryKey::ReadBinary(const char* name, void* buffer, DWORD& size)
{
    return QueryBinary(handle_, name, buffer, size);
}

bool RegistryKey::ReadString(const char* name, std::string& text)
{
    return QueryString(handle_, name, text);
}

bool RegistryKey::WriteDword(const char* name, DWORD value)
{
    return handle_ && RegSetValueExA(handle_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                     sizeof(value)) == ERROR_SUCCESS;
}

bool RegistryKey::WriteBinary(const char* name, const void* data, DWORD size)
{
    if (!handle_ || (!data && size != 0))
        return false;
    return RegSetValueExA(handle_, name, 0, REG_BINARY, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

bool RegistryKey::WriteString(const char* name, const std::string& text)
{
    return handle_ && RegSetValueExA(handle_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                     static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool RegistryKey::DeleteValue(const char* name)
{
    return handle_ && RegDeleteValueA(handle_, name) == ERROR_SUCCESS;
}

void RegistryKey::Flush()
{
    if (handle_)
        RegFlushKey(handle_);
}

void RegistryKey::Close()
{
    CloseKey(handle_, valueNames_, subKeyNames_);
    open_ = false;
}

} // namespace kelp
