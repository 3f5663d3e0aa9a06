#include "automation/AutomationStore.h"

#include "automation/AutomationCodec.h"
#include "engine/RegistryLayout.h"
#include "framework/system/Trace.h"
#include "kelp/System/WinRegistry.h"

namespace automation {
namespace {

// A value's text; empty when it is missing, of another type or over the
// limit (asked before reading, so an oversized value is never read).
std::string ReadValue(kelp::RegistryKeyReader& key, const char* name, unsigned& problems)
{
    DWORD type = 0, size = 0;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, RegKey::Automation, name, RRF_RT_ANY, &type, nullptr, &size) !=
        ERROR_SUCCESS)
        return {};
    if (size > kMaxStoredText + 1) {
        problems |= kValueTooLong;
        return {};
    }
    std::string text;
    if (!key.ReadString(name, text))
        return {};
    return text;
}

} // namespace

AutomationSettings AutomationStore::Load()
{
    unsigned problems = 0;
    StoredSettings stored;
    kelp::RegistryKeyReader key;
    if (key.Open(HKEY_LOCAL_MACHINE, RegKey::Automation)) {
        stored.hotkeys = ReadValue(key, RegValue::AutomationHotkeys, problems);
        stored.rules = ReadValue(key, RegValue::AutomationRules, problems);
        stored.schedule = ReadValue(key, RegValue::AutomationSchedule, problems);
    }
    unsigned decodeProblems = 0;
    AutomationSettings settings = DecodeSettings(stored, decodeProblems);
    problems |= decodeProblems;
    if (problems)
        Trace("~~~[Automation] stored settings damaged (%s)", DescribeStoredProblems(problems).c_str());
    return settings;
}

bool AutomationStore::Save(const AutomationSettings& settings)
{
    const StoredSettings stored = EncodeSettings(settings);
    kelp::RegistryKey key;
    const bool saved = key.Open(HKEY_LOCAL_MACHINE, RegKey::Automation, true) &&
                       key.WriteString(RegValue::AutomationHotkeys, stored.hotkeys) &&
                       key.WriteString(RegValue::AutomationRules, stored.rules) &&
                       key.WriteString(RegValue::AutomationSchedule, stored.schedule);
    if (!saved)
        Trace("~~~[Automation] save failed");
    return saved;
}

} // namespace automation
