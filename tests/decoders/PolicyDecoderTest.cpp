// Policy values as an administrator's tool, a hand edit or a stale template
// may leave them: only exactly typed, sized and ranged values count.

#include "policy/PolicyDecoder.h"

#include "engine/ModeModel.h"
#include "kelp/System/RegistryValue.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using policy::DecodePolicyValue;
using policy::DecodeResult;
using policy::PolicySet;

std::vector<uint8_t> Sz(const std::string& text)
{
    std::vector<uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

std::vector<uint8_t> Dword(uint32_t value)
{
    std::vector<uint8_t> bytes(4);
    std::memcpy(bytes.data(), &value, 4);
    return bytes;
}

DecodeResult Decode(PolicySet& set, const char* name, uint32_t type, const std::vector<uint8_t>& bytes)
{
    std::string why;
    const DecodeResult result = DecodePolicyValue(name, type, bytes.data(), bytes.size(), set, why);
    EXPECT_EQ(result == DecodeResult::Rejected, !why.empty()) << name << ": " << why;
    return result;
}

} // namespace

TEST(PolicyDecoderTest, ModeNamesInAnyCaseAndNothingElse)
{
    PolicySet set;
    EXPECT_EQ(Decode(set, "ForcedMode", kelp::kRegString, Sz("max")), DecodeResult::Set);
    EXPECT_EQ(set.forcedMode, GearLevel::MaxSaving);
    EXPECT_EQ(Decode(set, "forcedmode", kelp::kRegString, Sz(" Turbo ")), DecodeResult::Set);
    EXPECT_EQ(set.forcedMode, GearLevel::Turbo);
    for (const char* bad : {"", "maximum", "2", "max,turbo", "ma x", "auto\t\tx"}) {
        EXPECT_EQ(Decode(set, "ForcedMode", kelp::kRegString, Sz(bad)), DecodeResult::Rejected) << bad;
        EXPECT_FALSE(set.forcedMode) << bad;  // as if absent, not the value before
    }
    set.forcedMode = GearLevel::Auto;
    // The type must be REG_SZ: a DWORD 2 is no "max", an expandable string is refused.
    EXPECT_EQ(Decode(set, "ForcedMode", kelp::kRegDword, Dword(2)), DecodeResult::Rejected);
    EXPECT_FALSE(set.forcedMode);
    EXPECT_EQ(Decode(set, "ForcedMode", kelp::kRegExpandString, Sz("max")), DecodeResult::Rejected);
    // Garbage after the terminator; spare terminators are fine.
    std::vector<uint8_t> trailing = Sz("max");
    trailing.push_back('x');
    EXPECT_EQ(Decode(set, "ForcedMode", kelp::kRegString, trailing), DecodeResult::Rejected);
    std::vector<uint8_t> spare = Sz("high");
    spare.push_back(0);
    EXPECT_EQ(Decode(set, "ForcedMode", kelp::kRegString, spare), DecodeResult::Set);
    EXPECT_EQ(set.forcedMode, GearLevel::HighPerformance);
}

TEST(PolicyDecoderTest, AllowedModesAreAListOfKnownNames)
{
    PolicySet set;
    ASSERT_EQ(Decode(set, "AllowedModes", kelp::kRegString, Sz("medium, max,MAX")), DecodeResult::Set);
    EXPECT_EQ(set.allowedModes, policy::ModeBit(ModeIndex::Medium) | policy::ModeBit(ModeIndex::Low));
    EXPECT_TRUE(set.AllowsLevel(GearLevel::MediumSaving));
    EXPECT_FALSE(set.AllowsLevel(GearLevel::Turbo));
    EXPECT_FALSE(set.AllowsLevel(GearLevel::Unknown));
    ASSERT_EQ(Decode(set, "AllowedModes", kelp::kRegString, Sz("turbo,high,medium,max,auto")), DecodeResult::Set);
    EXPECT_FALSE(set.RestrictsModes());
    for (const char* bad : {"", ",", "max,", "max,,high", "max;high", "max,fast"}) {
        EXPECT_EQ(Decode(set, "AllowedModes", kelp::kRegString, Sz(bad)), DecodeResult::Rejected) << bad;
        EXPECT_FALSE(set.allowedModes) << bad;
    }
    EXPECT_EQ(Decode(set, "AllowedModes", kelp::kRegString, Sz(std::string(60, ' ') + "max,high")),
              DecodeResult::Rejected);
}

TEST(PolicyDecoderTest, SwitchesAreDwordsZeroOrOne)
{
    PolicySet set;
    for (const char* name : {"DisableAdvancedSettings", "DisableCalibration", "DisableAutomation", "RunAtLogOn",
                             "ExitHidden"}) {
        EXPECT_EQ(Decode(set, name, kelp::kRegDword, Dword(1)), DecodeResult::Set) << name;
        EXPECT_EQ(Decode(set, name, kelp::kRegDword, Dword(2)), DecodeResult::Rejected) << name;
        EXPECT_EQ(Decode(set, name, kelp::kRegString, Sz("1")), DecodeResult::Rejected) << name;
        EXPECT_EQ(Decode(set, name, kelp::kRegBinary, Dword(1)), DecodeResult::Rejected) << name;
        EXPECT_EQ(Decode(set, name, kelp::kRegDword, {1, 0, 0}), DecodeResult::Rejected) << name;
    }
    EXPECT_TRUE(set.Empty());
    Decode(set, "RunAtLogOn", kelp::kRegDword, Dword(0));
    Decode(set, "DisableCalibration", kelp::kRegDword, Dword(1));
    EXPECT_EQ(set.runAtLogOn, false);  // forced off is a policy too
    EXPECT_TRUE(set.CalibrationOff());
    EXPECT_FALSE(set.AdvancedSettingsOff());
}

TEST(PolicyDecoderTest, NumbersWithinTheirRanges)
{
    PolicySet set;
    EXPECT_EQ(Decode(set, "EmissionFactor", kelp::kRegDword, Dword(380)), DecodeResult::Set);
    EXPECT_EQ(set.emissionFactor, 380u);
    for (uint32_t bad : {0u, 5001u, 0xFFFFFFFFu})
        EXPECT_EQ(Decode(set, "EmissionFactor", kelp::kRegDword, Dword(bad)), DecodeResult::Rejected) << bad;
    EXPECT_EQ(Decode(set, "EmissionFactor", kelp::kRegDword, Dword(5000)), DecodeResult::Set);
    EXPECT_EQ(Decode(set, "MetricsIntervalSeconds", kelp::kRegDword, Dword(60)), DecodeResult::Set);
    EXPECT_EQ(set.metricsIntervalSeconds, 60u);
    EXPECT_EQ(Decode(set, "MetricsIntervalSeconds", kelp::kRegDword, Dword(0)), DecodeResult::Rejected);
    EXPECT_EQ(Decode(set, "MetricsIntervalSeconds", kelp::kRegDword, Dword(86401)), DecodeResult::Rejected);
    EXPECT_FALSE(set.metricsIntervalSeconds);
}

TEST(PolicyDecoderTest, MetricsFileIsAFullPathToAPromFile)
{
    PolicySet set;
    for (const char* good : {"C:\\ProgramData\\Pellix\\pellix.prom", "d:\\a b\\M.PROM"}) {
        EXPECT_EQ(Decode(set, "MetricsFile", kelp::kRegString, Sz(good)), DecodeResult::Set) << good;
        EXPECT_EQ(set.metricsFile, good);
    }
    for (const char* bad : {"", "pellix.prom", "..\\pellix.prom", "C:pellix.prom", "\\pellix.prom",
                            "C:\\dir\\", "C:\\a\\b:stream", "C:\\a\\b?.prom", "C:\\a\\b\tc", "\\\\?\\C:\\x",
                            "\\\\.\\pipe\\x", "C:\\a\\file.", "\\\\server\\share\\pellix.prom", "C:\\a\\b.txt",
                            "C:\\a\\.prom", "C:\\windows\\system32\\drivers\\etc\\hosts", "C:\\a\\m.prom.exe"}) {
        EXPECT_EQ(Decode(set, "MetricsFile", kelp::kRegString, Sz(bad)), DecodeResult::Rejected) << bad;
        EXPECT_FALSE(set.metricsFile) << bad;
    }
    const std::string longest = "C:\\" + std::string(policy::kMaxMetricsPathChars - 8, 'a') + ".prom";
    EXPECT_EQ(Decode(set, "MetricsFile", kelp::kRegString, Sz(longest)), DecodeResult::Set);
    EXPECT_EQ(Decode(set, "MetricsFile", kelp::kRegString, Sz(longest + "a")), DecodeResult::Rejected);
}

TEST(PolicyDecoderTest, OversizedValuesAndForeignNames)
{
    PolicySet set;
    set.forcedMode = GearLevel::Turbo;
    std::string why;
    const std::vector<uint8_t> huge(policy::kMaxPolicyValueBytes + 1, 'a');
    EXPECT_EQ(DecodePolicyValue("ForcedMode", kelp::kRegString, huge.data(), huge.size(), set, why),
              DecodeResult::Rejected);
    EXPECT_FALSE(set.forcedMode);
    EXPECT_FALSE(why.empty());
    // The reader reports a value too long to fetch with no data at all.
    set.metricsFile = "C:\\x.prom";
    EXPECT_EQ(DecodePolicyValue("MetricsFile", kelp::kRegString, nullptr, huge.size(), set, why),
              DecodeResult::Rejected);
    EXPECT_FALSE(set.metricsFile);
    EXPECT_EQ(DecodePolicyValue("Wallpaper", kelp::kRegString, huge.data(), 3, set, why), DecodeResult::Unknown);
    EXPECT_TRUE(why.empty());
    EXPECT_TRUE(set.Empty());
}

TEST(PolicySetTest, MachineWinsValueByValueAndForcedModeNarrowsTheChoice)
{
    PolicySet machine, user;
    machine.calibrationOff = false;  // the machine's "disabled" beats the user's "enabled"
    user.calibrationOff = true;
    user.exitHidden = true;
    user.forcedMode = GearLevel::Turbo;
    machine.allowedModes = policy::ModeBit(ModeIndex::Turbo) | policy::ModeBit(ModeIndex::Low);
    const PolicySet merged = policy::MergePolicies(machine, user);
    EXPECT_FALSE(merged.CalibrationOff());
    EXPECT_TRUE(merged.ExitHidden());
    EXPECT_EQ(merged.forcedMode, GearLevel::Turbo);
    EXPECT_TRUE(merged.AllowsLevel(GearLevel::Turbo));
    EXPECT_FALSE(merged.AllowsLevel(GearLevel::MaxSaving));  // allowed, but the forced mode rules
    const std::vector<policy::PolicyInForce> listed = policy::PoliciesInForce(merged);
    ASSERT_EQ(listed.size(), 4u);
    EXPECT_EQ(listed[0].name, "ForcedMode");
    EXPECT_EQ(listed[0].value, "turbo");
    EXPECT_EQ(listed[1].value, "turbo,max");
    EXPECT_EQ(listed[2].name, "DisableCalibration");
    EXPECT_EQ(listed[2].value, "0");
    EXPECT_TRUE(policy::PoliciesInForce(PolicySet{}).empty());
}
