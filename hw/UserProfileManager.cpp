#include "hw/UserProfileManager.h"

#include "framework/system/Trace.h"
#include "hw/ProfileFolder.h"
#include "hw/UserProfileFile.h"
#include "hw/UsersModifyAcl.h"

#include <windows.h>

#include <shlobj.h>

#include <cstring>
#include <vector>

namespace kelp {
namespace {
const char kMagic[4] = {'V', 'T', 'O', 'C'};
constexpr uint32_t kVersion = 1;

class File {
public:
    explicit File(HANDLE handle) : m_handle(handle) {}
    ~File()
    {
        if (IsOpen())
            CloseHandle(m_handle);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }

    bool Write(const void* data, DWORD size)
    {
        DWORD written = 0;
        return WriteFile(m_handle, data, size, &written, nullptr) && written == size;
    }
    // Reads until the buffer is full or the file ends.
    bool ReadSome(void* data, DWORD capacity, DWORD& size)
    {
        size = 0;
        while (size < capacity) {
            DWORD read = 0;
            if (!ReadFile(m_handle, static_cast<uint8_t*>(data) + size, capacity - size, &read, nullptr))
                return false;
            if (read == 0)
                break;
            size += read;
        }
        return true;
    }

private:
    HANDLE m_handle;
};

void AppendWord(std::vector<unsigned char>& bytes, uint32_t word)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(uint8_t(word >> shift));
}

void OpenToEveryUser(HANDLE file)
{
    if (!UsersModifyAcl().ApplyTo(file))
        Trace("~~~[UserProfileManager] cannot open the profile to every user (%lu)", GetLastError());
}

template <typename List> void AppendRecords(std::vector<unsigned char>& bytes, const List& items)
{
    for (const auto& item : items) {
        AppendWord(bytes, item->Id());
        AppendWord(bytes, uint32_t(item->Pending()));
    }
}
} // namespace

std::string UserProfileManager::DefaultPath()
{
    char common[MAX_PATH];
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, common)))
        return "";
    const std::string folder = std::string(common) + "\\Ordun";
    if (!ProfileFolder::Prepare(folder))
        return "";
    return folder + "\\cal.oc";
}

bool UserProfileManager::Save(const std::string& path, OcManager& manager)
{
    std::vector<unsigned char> bytes(kMagic, kMagic + 4);
    AppendWord(bytes, kVersion);
    AppendWord(bytes, uint32_t(manager.Ordered().size() + manager.Others().size()));
    AppendRecords(bytes, manager.Ordered());
    AppendRecords(bytes, manager.Others());

    // Opened without truncating and without following a link: only a
    // plain file of its own is replaced, never what a link or a second
    // name would lead to.
    File file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE | READ_CONTROL | WRITE_DAC, FILE_SHARE_READ,
                          nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file.IsOpen())
        return false;
    if (!ProfileFolder::IsPlainFile(file.Get(), path)) {
        Trace("~~~[UserProfileManager] %s is not a plain file, not written", path.c_str());
        return false;
    }
    if (SetFilePointer(file.Get(), 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER || !SetEndOfFile(file.Get()))
        return false;
    OpenToEveryUser(file.Get());
    return file.Write(bytes.data(), DWORD(bytes.size()));
}

bool UserProfileManager::Load(const std::string& path, OcManager& manager)
{
    std::vector<ProfileRecord> records;
    if (!Read(path, records))
        return false;
    Apply(records, manager);
    return true;
}

bool UserProfileManager::Read(const std::string& path, std::vector<ProfileRecord>& records)
{
    File file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file.IsOpen() || !ProfileFolder::IsPlainFile(file.Get(), path))
        return false;
    // One bounded read: a huge record count costs no more than a full file.
    std::vector<uint8_t> bytes(kMaxProfileBytes);
    DWORD size = 0;
    if (!file.ReadSome(bytes.data(), DWORD(bytes.size()), size))
        return false;
    return DecodeUserProfile(bytes.data(), size, records);
}

void UserProfileManager::Apply(const std::vector<ProfileRecord>& records, OcManager& manager)
{
    for (const ProfileRecord& record : records)
        manager.SetPending(record.id, record.value);
}

} // namespace kelp
