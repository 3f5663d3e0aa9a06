#pragma once
// The organisation's policies for Pellix, as decoded from the values under
// Software\Policies\Pellix of HKLM (the machine's, which win) and HKCU.
// Every field is empty while no valid value sets it: the user's own choice
// then holds. Plain C++, so that the decoder behind it builds and is fuzzed
// anywhere.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace policy {

// The key under both hives.
inline constexpr char kPolicyKey[] = "Software\\Policies\\Pellix";

// The value names; the administrative template records the same names.
namespace PolicyName {
inline constexpr char ForcedMode[] = "ForcedMode";                 // REG_SZ: turbo|high|medium|max|auto
inline constexpr char AllowedModes[] = "AllowedModes";             // REG_SZ: those names, comma separated
inline constexpr char DisableAdvancedSettings[] = "DisableAdvancedSettings"; // DWORD 0/1
inline constexpr char DisableCalibration[] = "DisableCalibration"; // DWORD 0/1
inline constexpr char DisableAutomation[] = "DisableAutomation";   // DWORD 0/1
inline constexpr char RunAtLogOn[] = "RunAtLogOn";                 // DWORD 0 forced off, 1 forced on
inline constexpr char ExitHidden[] = "ExitHidden";                 // DWORD 0/1
inline constexpr char EmissionFactor[] = "EmissionFactor";         // DWORD g/kWh
inline constexpr char MetricsFile[] = "MetricsFile";               // REG_SZ, full path ending in .prom
inline constexpr char MetricsIntervalSeconds[] = "MetricsIntervalSeconds"; // DWORD
} // namespace PolicyName

// Every value name above, in that order.
inline constexpr const char* kPolicyValueNames[] = {
    PolicyName::ForcedMode,         PolicyName::AllowedModes,      PolicyName::DisableAdvancedSettings,
    PolicyName::DisableCalibration, PolicyName::DisableAutomation, PolicyName::RunAtLogOn,
    PolicyName::ExitHidden,         PolicyName::EmissionFactor,    PolicyName::MetricsFile,
    PolicyName::MetricsIntervalSeconds,
};

// Limits of the values believed.
inline constexpr uint32_t kMinEmissionFactor = 1;    // g/kWh, as the history's own box takes
inline constexpr uint32_t kMaxEmissionFactor = 5000;
inline constexpr uint32_t kMinMetricsInterval = 1;   // seconds; the metrics writer raises it to its floor
inline constexpr uint32_t kMaxMetricsInterval = 86400;
inline constexpr size_t kMaxMetricsPathChars = 259;  // MAX_PATH without the terminator
inline constexpr size_t kMaxModeListChars = 64;

// Modes as a bit set by mode index (Turbo 0, High Performance 1, Medium 2,
// Max Power Saving 3, Auto 4).
using ModeMask = uint8_t;
inline constexpr ModeMask kAllModes = 0x1F;

// The mode index's bit; 0 for an index outside 0-4.
ModeMask ModeBit(int modeIndex);

struct PolicySet {
    std::optional<int> forcedMode;        // a gear level (GearLevel::Turbo .. GearLevel::Auto)
    std::optional<ModeMask> allowedModes; // never 0
    std::optional<bool> advancedSettingsOff;
    std::optional<bool> calibrationOff;
    std::optional<bool> automationOff;
    std::optional<bool> runAtLogOn;       // forced on (true) or off (false)
    std::optional<bool> exitHidden;
    std::optional<uint32_t> emissionFactor;         // g/kWh
    std::optional<std::string> metricsFile;         // full path
    std::optional<uint32_t> metricsIntervalSeconds;

    bool operator==(const PolicySet&) const = default;

    // True when no policy is set at all.
    bool Empty() const { return *this == PolicySet{}; }

    bool AdvancedSettingsOff() const { return advancedSettingsOff.value_or(false); }
    bool CalibrationOff() const { return calibrationOff.value_or(false); }
    bool AutomationOff() const { return automationOff.value_or(false); }
    bool ExitHidden() const { return exitHidden.value_or(false); }

    // The modes a user may choose: the forced mode alone while one is set,
    // else the allowed ones, else all five.
    ModeMask ChoosableModes() const;
    // Whether a user's request for the gear level is let through.
    bool AllowsLevel(int level) const;
    // Whether any policy restricts the choice of mode.
    bool RestrictsModes() const { return ChoosableModes() != kAllModes; }
};

// The value name of the policy that refuses a user's request for the gear
// level (ForcedMode or AllowedModes); nullptr when the request may go.
const char* RefusingPolicy(const PolicySet& set, int level);

// The machine's value where it has one, else the user's.
PolicySet MergePolicies(const PolicySet& machine, const PolicySet& user);

// One policy in force, for listings (pellixctl status): its value name and
// its value as the administrator wrote it ("max", "turbo,high", "1", a path).
struct PolicyInForce {
    std::string name;
    std::string value;
};
std::vector<PolicyInForce> PoliciesInForce(const PolicySet& set);

// "turbo", "high", "medium", "max", "auto" for a gear level; "" otherwise.
const char* PolicyModeName(int level);

} // namespace policy
