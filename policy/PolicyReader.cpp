#include "policy/PolicyReader.h"

#include "framework/system/Trace.h"
#include "policy/PolicyDecoder.h"

#include <array>
#include <cstdint>

namespace policy {
namespace {

class OpenKey {
public:
    OpenKey(HKEY root, const char* path)
    {
        if (RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE, &key_) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~OpenKey()
    {
        if (key_)
            RegCloseKey(key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

} // namespace

PolicySet ReadPolicyHive(HKEY root)
{
    PolicySet set;
    OpenKey key(root, kPolicyKey);
    if (!key.get())
        return set;
    const char* hive = root == HKEY_LOCAL_MACHINE ? "HKLM" : "HKCU";
    // Only the names of ours are asked for: other values of the key cost nothing.
    std::array<uint8_t, kMaxPolicyValueBytes> data;
    for (const char* name : kPolicyValueNames) {
        DWORD type = 0;
        DWORD size = DWORD(data.size());
        const LONG status = RegQueryValueExA(key.get(), name, nullptr, &type, data.data(), &size);
        if (status == ERROR_FILE_NOT_FOUND)
            continue;
        std::string why;
        if (status == ERROR_MORE_DATA)
            DecodePolicyValue(name, type, nullptr, kMaxPolicyValueBytes + 1, set, why);
        else if (status != ERROR_SUCCESS)
            why = "unreadable (error " + std::to_string(status) + ")";
        else if (DecodePolicyValue(name, type, data.data(), size, set, why) == DecodeResult::Set)
            continue;
        Trace("~~~[Policy] %s %s ignored: %s", hive, name, why.c_str());
    }
    return set;
}

PolicySet ReadPolicies()
{
    return MergePolicies(ReadPolicyHive(HKEY_LOCAL_MACHINE), ReadPolicyHive(HKEY_CURRENT_USER));
}

} // namespace policy
