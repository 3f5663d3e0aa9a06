#include "policy/PolicySet.h"

#include "engine/ModeModel.h"

namespace policy {
namespace {

struct PolicyMode {
    const char* name;
    int level;
    int index;
};
constexpr PolicyMode kModes[] = {
    {"turbo", GearLevel::Turbo, ModeIndex::Turbo},
    {"high", GearLevel::HighPerformance, ModeIndex::HighPerformance},
    {"medium", GearLevel::MediumSaving, ModeIndex::Medium},
    {"max", GearLevel::MaxSaving, ModeIndex::Low},
    {"auto", GearLevel::Auto, ModeIndex::Auto},
};

const PolicyMode* ModeOfLevel(int level)
{
    for (const PolicyMode& mode : kModes)
        if (mode.level == level)
            return &mode;
    return nullptr;
}

template <typename T> const T& Pick(const T& machine, const T& user)
{
    return machine ? machine : user;
}

std::string Flag(bool on)
{
    return on ? "1" : "0";
}

} // namespace

ModeMask ModeBit(int modeIndex)
{
    return modeIndex >= 0 && modeIndex < ModeIndex::Count ? ModeMask(1u << modeIndex) : 0;
}

const char* PolicyModeName(int level)
{
    const PolicyMode* mode = ModeOfLevel(level);
    return mode ? mode->name : "";
}

ModeMask PolicySet::ChoosableModes() const
{
    if (forcedMode)
        if (const PolicyMode* mode = ModeOfLevel(*forcedMode))
            return ModeBit(mode->index);
    return allowedModes.value_or(kAllModes);
}

bool PolicySet::AllowsLevel(int level) const
{
    const PolicyMode* mode = ModeOfLevel(level);
    return mode && (ChoosableModes() & ModeBit(mode->index));
}

const char* RefusingPolicy(const PolicySet& set, int level)
{
    if (set.AllowsLevel(level))
        return nullptr;
    return set.forcedMode ? PolicyName::ForcedMode : PolicyName::AllowedModes;
}

PolicySet MergePolicies(const PolicySet& machine, const PolicySet& user)
{
    PolicySet merged;
    merged.forcedMode = Pick(machine.forcedMode, user.forcedMode);
    merged.allowedModes = Pick(machine.allowedModes, user.allowedModes);
    merged.advancedSettingsOff = Pick(machine.advancedSettingsOff, user.advancedSettingsOff);
    merged.calibrationOff = Pick(machine.calibrationOff, user.calibrationOff);
    merged.automationOff = Pick(machine.automationOff, user.automationOff);
    merged.runAtLogOn = Pick(machine.runAtLogOn, user.runAtLogOn);
    merged.exitHidden = Pick(machine.exitHidden, user.exitHidden);
    merged.emissionFactor = Pick(machine.emissionFactor, user.emissionFactor);
    merged.metricsFile = Pick(machine.metricsFile, user.metricsFile);
    merged.metricsIntervalSeconds = Pick(machine.metricsIntervalSeconds, user.metricsIntervalSeconds);
    return merged;
}

std::vector<PolicyInForce> PoliciesInForce(const PolicySet& set)
{
    std::vector<PolicyInForce> list;
    if (set.forcedMode)
        list.push_back({PolicyName::ForcedMode, PolicyModeName(*set.forcedMode)});
    if (set.allowedModes) {
        std::string names;
        for (const PolicyMode& mode : kModes)
            if (*set.allowedModes & ModeBit(mode.index))
                names += (names.empty() ? "" : ",") + std::string(mode.name);
        list.push_back({PolicyName::AllowedModes, names});
    }
    if (set.advancedSettingsOff)
        list.push_back({PolicyName::DisableAdvancedSettings, Flag(*set.advancedSettingsOff)});
    if (set.calibrationOff)
        list.push_back({PolicyName::DisableCalibration, Flag(*set.calibrationOff)});
    if (set.automationOff)
        list.push_back({PolicyName::DisableAutomation, Flag(*set.automationOff)});
    if (set.runAtLogOn)
        list.push_back({PolicyName::RunAtLogOn, Flag(*set.runAtLogOn)});
    if (set.exitHidden)
        list.push_back({PolicyName::ExitHidden, Flag(*set.exitHidden)});
    if (set.emissionFactor)
        list.push_back({PolicyName::EmissionFactor, std::to_string(*set.emissionFactor)});
    if (set.metricsFile)
        list.push_back({PolicyName::MetricsFile, *set.metricsFile});
    if (set.metricsIntervalSeconds)
        list.push_back({PolicyName::MetricsIntervalSeconds, std::to_string(*set.metricsIntervalSeconds)});
    return list;
}

} // namespace policy
