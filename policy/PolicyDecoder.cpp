#include "policy/PolicyDecoder.h"

#include "engine/ModeModel.h"
#include "kelp/System/RegistryValue.h"

#include <cctype>

namespace policy {
namespace {

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// REG_SZ only: an expandable or multi-string would be read differently by
// different tools, and the template writes plain strings.
bool PlainString(uint32_t type, const uint8_t* data, size_t size, std::string& text, std::string& why)
{
    if (type != kelp::kRegString) {
        why = "type " + std::to_string(type) + " is not REG_SZ";
        return false;
    }
    if (!kelp::DecodeRegistryString(type, data, size, text)) {
        why = "unreadable string";
        return false;
    }
    // Text after the terminator means the value was not written as a string
    // (spare terminators are harmless).
    for (size_t i = text.size(); i < size; ++i)
        if (data[i] != 0) {
            why = "bytes after the string's end";
            return false;
        }
    return true;
}

bool Dword(uint32_t type, const uint8_t* data, size_t size, uint32_t& value, std::string& why)
{
    if (!kelp::DecodeRegistryDword(type, data, size, value)) {
        why = "not a 4-byte REG_DWORD (type " + std::to_string(type) + ", " + std::to_string(size) + " bytes)";
        return false;
    }
    return true;
}

bool Switch(uint32_t type, const uint8_t* data, size_t size, std::optional<bool>& field, std::string& why)
{
    uint32_t value = 0;
    if (!Dword(type, data, size, value, why))
        return false;
    if (value > 1) {
        why = "value " + std::to_string(value) + " is neither 0 nor 1";
        return false;
    }
    field = value == 1;
    return true;
}

bool Range(uint32_t type, const uint8_t* data, size_t size, uint32_t low, uint32_t high,
           std::optional<uint32_t>& field, std::string& why)
{
    uint32_t value = 0;
    if (!Dword(type, data, size, value, why))
        return false;
    if (value < low || value > high) {
        why = "value " + std::to_string(value) + " outside " + std::to_string(low) + "-" + std::to_string(high);
        return false;
    }
    field = value;
    return true;
}

bool IsPathChar(unsigned char c)
{
    return c >= 0x20 && c != '<' && c != '>' && c != '"' && c != '|' && c != '?' && c != '*';
}

// A full path on a drive ("C:\...\name.prom"), as the metrics writer takes
// it: a relative path would depend on the program's current folder, a share
// would have the writer wait on the network, and the extension keeps a
// policy from aiming the writer at a program's or the system's own files.
bool MetricsPath(const std::string& path, std::string& why)
{
    if (path.empty() || path.size() > kMaxMetricsPathChars) {
        why = "path length " + std::to_string(path.size()) + " outside 1-" + std::to_string(kMaxMetricsPathChars);
        return false;
    }
    const bool drive = path.size() > 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
                       path[2] == '\\';
    if (!drive) {
        why = "not a full path on a drive";
        return false;
    }
    for (size_t i = 2; i < path.size(); ++i)
        if (!IsPathChar(static_cast<unsigned char>(path[i])) || path[i] == ':') {
            why = "character not allowed in a path";
            return false;
        }
    constexpr char kExtension[] = ".prom";
    const size_t extension = sizeof kExtension - 1;
    const bool named = path.size() > extension + 3 && path[path.size() - extension - 1] != '\\' &&
                       path[path.size() - extension - 1] != '/';
    if (!named || !SameName(std::string_view(path).substr(path.size() - extension), kExtension)) {
        why = "not a file ending in .prom";
        return false;
    }
    return true;
}

} // namespace

std::optional<int> ParsePolicyMode(std::string_view text)
{
    text = Trim(text);
    for (int level : {GearLevel::Turbo, GearLevel::HighPerformance, GearLevel::MediumSaving, GearLevel::MaxSaving,
                      GearLevel::Auto})
        if (SameName(text, PolicyModeName(level)))
            return level;
    return std::nullopt;
}

std::optional<ModeMask> ParsePolicyModeList(std::string_view text)
{
    if (text.size() > kMaxModeListChars)
        return std::nullopt;
    ModeMask mask = 0;
    for (;;) {
        const size_t comma = text.find(',');
        const std::optional<int> level = ParsePolicyMode(text.substr(0, comma));
        if (!level)
            return std::nullopt;
        PolicySet one;
        one.forcedMode = *level;
        mask |= one.ChoosableModes();  // the mode's own bit
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    return mask;
}

DecodeResult DecodePolicyValue(std::string_view name, uint32_t type, const uint8_t* data, size_t size,
                               PolicySet& into, std::string& why)
{
    why.clear();
    if (size > kMaxPolicyValueBytes || (!data && size)) {
        why = std::to_string(size) + " bytes is too long";
        // Falls through to the field's clearing below.
        type = 0;
        size = 0;
        data = nullptr;
    }
    std::string text;
    bool good = false;
    if (SameName(name, PolicyName::ForcedMode)) {
        into.forcedMode.reset();
        if (why.empty() && PlainString(type, data, size, text, why)) {
            into.forcedMode = ParsePolicyMode(text);
            if (!(good = into.forcedMode.has_value()))
                why = "not a mode name";
        }
    } else if (SameName(name, PolicyName::AllowedModes)) {
        into.allowedModes.reset();
        if (why.empty() && PlainString(type, data, size, text, why)) {
            into.allowedModes = ParsePolicyModeList(text);
            if (!(good = into.allowedModes.has_value()))
                why = "not a list of mode names";
        }
    } else if (SameName(name, PolicyName::DisableAdvancedSettings)) {
        into.advancedSettingsOff.reset();
        good = why.empty() && Switch(type, data, size, into.advancedSettingsOff, why);
    } else if (SameName(name, PolicyName::DisableCalibration)) {
        into.calibrationOff.reset();
        good = why.empty() && Switch(type, data, size, into.calibrationOff, why);
    } else if (SameName(name, PolicyName::DisableAutomation)) {
        into.automationOff.reset();
        good = why.empty() && Switch(type, data, size, into.automationOff, why);
    } else if (SameName(name, PolicyName::RunAtLogOn)) {
        into.runAtLogOn.reset();
        good = why.empty() && Switch(type, data, size, into.runAtLogOn, why);
    } else if (SameName(name, PolicyName::ExitHidden)) {
        into.exitHidden.reset();
        good = why.empty() && Switch(type, data, size, into.exitHidden, why);
    } else if (SameName(name, PolicyName::EmissionFactor)) {
        into.emissionFactor.reset();
        good = why.empty() &&
               Range(type, data, size, kMinEmissionFactor, kMaxEmissionFactor, into.emissionFactor, why);
    } else if (SameName(name, PolicyName::MetricsFile)) {
        into.metricsFile.reset();
        if (why.empty() && PlainString(type, data, size, text, why) && MetricsPath(text, why)) {
            into.metricsFile = text;
            good = true;
        }
    } else if (SameName(name, PolicyName::MetricsIntervalSeconds)) {
        into.metricsIntervalSeconds.reset();
        good = why.empty() && Range(type, data, size, kMinMetricsInterval, kMaxMetricsInterval,
                                    into.metricsIntervalSeconds, why);
    } else {
        why.clear();
        return DecodeResult::Unknown;
    }
    return good ? DecodeResult::Set : DecodeResult::Rejected;
}

} // namespace policy
