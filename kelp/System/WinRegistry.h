#pragma once
// Scope-bound registry keys. A key object lives on the stack: it is opened,
// used for a few value reads or writes and closed by its destructor.
// All results report whether the Windows call succeeded (and, for reads,
// whether the stored type matched); no error text is produced here.

#include <windows.h>

#include <memory>
#include <string>

namespace kelp {

// A buffer sized for the longest value name or sub-key name of an open key,
// used to enumerate those names.
class RegistryNameBuffer {
public:
    enum class Kind { ValueNames, SubKeyNames };

    explicit RegistryNameBuffer(Kind kind);
    RegistryNameBuffer(const RegistryNameBuffer&) = delete;
    RegistryNameBuffer& operator=(const RegistryNameBuffer&) = delete;

    // Sizes the buffer from RegQueryInfoKeyA (longest name + terminator);
    // stays empty with length 0 when the query fails.
    void Allocate(HKEY key);
    void Free();

    // Length of the buffer in characters, terminator included.
    DWORD Length() const { return length_; }
    // The name at the given enumeration index; false past the last name or
    // when the name no longer fits the buffer.
    bool NameAt(DWORD index, std::string& name) const;

private:
    Kind kind_;
    HKEY key_ = nullptr;
    std::unique_ptr<char[]> buffer_;
    DWORD length_ = 0;
};

// Opens an existing key for reading.
class RegistryKeyReader {
public:
    RegistryKeyReader();
    virtual ~RegistryKeyReader();
    RegistryKeyReader(const RegistryKeyReader&) = delete;
    RegistryKeyReader& operator=(const RegistryKeyReader&) = delete;

    bool Open(HKEY root, const char* subKey);
    bool IsOpen() const { return open_; }

    bool ReadDword(const char* name, DWORD& value);
    // size: capacity of buffer on entry, bytes stored on success.
    bool ReadBinary(const char* name, void* buffer, DWORD& size);
    bool ReadString(const char* name, std::string& text);

    const RegistryNameBuffer& ValueNames() const { return valueNames_; }
    const RegistryNameBuffer& SubKeyNames() const { return subKeyNames_; }

    void Close();

protected:
    virtual REGSAM AccessRights() const;

private:
    void AllocateNameBuffers();

    HKEY handle_ = nullptr;
    bool open_ = false;
    RegistryNameBuffer valueNames_;
    RegistryNameBuffer subKeyNames_;
};

// Opens, or with create also creates, a key for reading and writing.
class RegistryKey {
public:
    RegistryKey();
    ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    bool Open(HKEY root, const char* subKey, bool create);
    bool IsOpen() const { return open_; }

    bool ReadDword(const char* name, DWORD& value);
    // size: capacity of buffer on entry, bytes stored on success.
    bool ReadBinary(const char* name, void* buffer, DWORD& size);
    bool ReadString(const char* name, std::string& text);

    bool WriteDword(const char* name, DWORD value);
    bool WriteBinary(const char* name, const void* data, DWORD size);
    bool WriteString(const char* name, const std::string& text);
    bool DeleteValue(const char* name);

    // Forces the key's data to disk (crash guards set before risky work).
    void Flush();

    const RegistryNameBuffer& ValueNames() const { return valueNames_; }
    const RegistryNameBuffer& SubKeyNames() const { return subKeyNames_; }

    void Close();

private:
    void AllocateNameBuffers();

    HKEY handle_ = nullptr;
    bool open_ = false;
    RegistryNameBuffer valueNames_;
    RegistryNameBuffer subKeyNames_;
};

} // namespace kelp
