#include "engine/AdvanceSettings.h"

#include "engine/CalibrationProfileCheck.h"
#include "engine/ModeHardware.h"
#include "engine/ModeModel.h"
#include "engine/RegistryLayout.h"
#include "framework/system/ExclusiveLock.h"
#include "kelp/System/WinRegistry.h"
#include "kelp/vantor/BiosInterface.h"
#include "kelp/vantor/BiosItems.h"

#include <string>
#include <type_traits>

namespace {

// The per-mode values in the order they are read and written.
struct TuningField {
    const char* name;
    uint32_t ModeTuning::*member;
};
constexpr TuningField kTuningFields[] = {
    {RegValue::Fsb, &ModeTuning::Fsb},
    {RegValue::GpuFreq, &ModeTuning::GpuFreq},
    {RegValue::VCore, &ModeTuning::vCore},
    {RegValue::LoadLine, &ModeTuning::LoadLine},
    {RegValue::NbVolt, &ModeTuning::NbVolt},
    {RegValue::Fan, &ModeTuning::Fan},
    {RegValue::DozlaIdleTimeout, &ModeTuning::DozlaIdleTimeout},
    {RegValue::SpinDownTimeout, &ModeTuning::SpinDownTimeout},
};

std::string TuningValueName(const TuningField& field, int modeIndex)
{
    return std::string(field.name) + IndexToSuffix(modeIndex);
}

bool ReadDwordValue(HKEY hive, const char* key, const char* name, DWORD& value)
{
    kelp::RegistryKeyReader reader;
    return reader.Open(hive, key) && reader.ReadDword(name, value);
}

bool WriteDwordValue(HKEY hive, const char* key, const char* name, DWORD value)
{
    kelp::RegistryKey writer;
    return writer.Open(hive, key, true) && writer.WriteDword(name, value);
}

// Crash guards must be on disk before the risky work starts.
void WriteFlag(const char* name, DWORD value)
{
    kelp::RegistryKey writer;
    if (writer.Open(HKEY_LOCAL_MACHINE, RegKey::Advance, true) && writer.WriteDword(name, value))
        writer.Flush();
}

bool IsFlagClear(const char* name)
{
    DWORD value = 0;
    return !ReadDwordValue(HKEY_LOCAL_MACHINE, RegKey::Advance, name, value) || value == 0;
}

} // namespace

AdvanceSettings& AdvanceSettings::Instance()
{
    // Trivially destructible: no exit-time destructor is registered, so the
    // store outlives any worker still using it while the process ends.
    static_assert(std::is_trivially_destructible_v<AdvanceSettings>);
    static AdvanceSettings store;
    return store;
}

AdvanceSettings::AdvanceSettings()
{
    Load();
}

void AdvanceSettings::Load()
{
    if (LoadRecords()) {
        const ModeTunings loaded = Records();
        for (int i = 0; i < ModeIndex::FixedCount; ++i)
            SetTuning(i, loaded[i]);
        return;
    }
    ResetToDefaults();
    // ResetToDefaults saved before Auto's record was derived again.
    Save();
}

// Reads the options and all per-mode values; false when the key is missing
// or any per-mode value is.
bool AdvanceSettings::LoadRecords()
{
    kelp::RegistryKeyReader reader;
    if (!reader.Open(HKEY_LOCAL_MACHINE, RegKey::Advance))
        return false;
    DWORD value = 0;
    ExclusiveLock guard(lock_);
    if (reader.ReadDword(RegValue::BalloonToolDisabled, value))
        balloonTipsEnabled_ = value != 1;
    if (reader.ReadDword(RegValue::RunAtSystemStartup, value))
        runAtStartup_ = value != 1;
    for (int i = 0; i < ModeIndex::Count; ++i) {
        for (const TuningField& field : kTuningFields) {
            if (!reader.ReadDword(TuningValueName(field, i).c_str(), value))
                return false;
            modes_[i].*field.member = value;
        }
    }
    return true;
}

ModeTunings AdvanceSettings::Records() const
{
    ExclusiveLock guard(lock_);
    return modes_;
}

bool AdvanceSettings::IsBalloonTipsEnabled() const
{
    ExclusiveLock guard(lock_);
    return balloonTipsEnabled_;
}

void AdvanceSettings::SetBalloonTipsEnabled(bool enabled)
{
    {
        ExclusiveLock guard(lock_);
        balloonTipsEnabled_ = enabled;
    }
    WriteDwordValue(HKEY_LOCAL_MACHINE, RegKey::Advance, RegValue::BalloonToolDisabled, enabled ? 0 : 1);
}

bool AdvanceSettings::IsRunAtStartup() const
{
    ExclusiveLock guard(lock_);
    return runAtStartup_;
}

void AdvanceSettings::SetRunAtStartup(bool run)
{
    {
        ExclusiveLock guard(lock_);
        runAtStartup_ = run;
    }
    WriteDwordValue(HKEY_LOCAL_MACHINE, RegKey::Advance, RegValue::RunAtSystemStartup, run ? 0 : 1);
}

bool AdvanceSettings::GetTuning(int modeIndex, ModeTuning& tuning) const
{
    if (modeIndex < 0 || modeIndex >= ModeIndex::Count)
        return false;
    ExclusiveLock guard(lock_);
    tuning = modes_[modeIndex];
    return true;
}

bool AdvanceSettings::SetTuning(int modeIndex, const ModeTuning& tuning)
{
    if (modeIndex < 0 || modeIndex >= ModeIndex::FixedCount)
        return false;
    {
        ExclusiveLock guard(lock_);
        modes_[modeIndex] = tuning;
        DeriveAutoTuning(modes_);
    }
    // Programming the BIOS items may take a while; not under the lock.
    PluggedModeHardware().ApplyTuning(modeIndex, tuning.Fsb, tuning.vCore, tuning.LoadLine, tuning.NbVolt);
    return true;
}

bool AdvanceSettings::SetTuning(int modeIndex, uint32_t fsb, uint32_t gpuFreq, uint32_t vCore,
                                uint32_t loadLine, uint32_t nbVolt, uint32_t idleTimeout,
                                uint32_t spinDown, uint32_t fan)
{
    return SetTuning(modeIndex, ModeTuning{fsb, gpuFreq, vCore, loadLine, nbVolt, idleTimeout, spinDown, fan});
}

bool AdvanceSettings::Save()
{
    kelp::RegistryKey writer;
    if (!writer.Open(HKEY_LOCAL_MACHINE, RegKey::Advance, true))
        return false;
    const ModeTunings records = Records();
    bool written = writer.WriteDword(RegValue::BalloonToolDisabled, IsBalloonTipsEnabled() ? 0 : 1);
    for (int i = 0; i < ModeIndex::Count; ++i) {
        for (const TuningField& field : kTuningFields)
            written = writer.WriteDword(TuningValueName(field, i).c_str(), records[i].*field.member) && written;
    }
    return written;
}

void AdvanceSettings::ResetToDefaults()
{
    ModeTunings defaults;
    for (int i = 0; i < ModeIndex::Count; ++i)
        defaults[i] = DefaultTuning(i);
    {
        ExclusiveLock guard(lock_);
        modes_ = defaults;
    }
    Save();
    for (int i = 0; i < ModeIndex::FixedCount; ++i)
        SetTuning(i, defaults[i]);
}

void AdvanceSettings::SetCalibrationNeeded(bool needed)
{
    WriteDwordValue(HKEY_CURRENT_USER, RegKey::Advance, RegValue::CalibrationNeeded, needed ? 1 : 0);
}

void AdvanceSettings::SetCalibrationReason(int reason)
{
    WriteDwordValue(HKEY_CURRENT_USER, RegKey::Advance, RegValue::CalibrationReason, static_cast<DWORD>(reason));
}

void AdvanceSettings::RequestCalibration(bool needed, int reason)
{
    SetCalibrationNeeded(needed);
    SetCalibrationReason(reason);
}

bool AdvanceSettings::IsCalibrationNeeded() const
{
    uint32_t phase = 0;
    int storedPhase = 0;
    if (kelp::IsItemSupported(kelp::BiosItemId::kPhaseMode) && kelp::GetItem(kelp::BiosItemId::kPhaseMode, phase) &&
        ReadPhaseMode(storedPhase) && phase != static_cast<uint32_t>(storedPhase))
        return true;
    DWORD needed = 0;
    return ReadDwordValue(HKEY_CURRENT_USER, RegKey::Advance, RegValue::CalibrationNeeded, needed) && needed == 1;
}

void AdvanceSettings::CheckCalibrationProfileAtStart()
{
    if (PluggedModeHardware().IsAcpiV3() && CalibrationProfileMismatches())
        RequestCalibration(true, 1);
}

int AdvanceSettings::ReadLastMode() const
{
    DWORD level = 0;
    if (!ReadDwordValue(HKEY_LOCAL_MACHINE, RegKey::Root, RegValue::LastMode, level))
        return GearLevel::HighPerformance;
    const int stored = static_cast<int>(level);
    return IsKnownLevel(stored) ? stored : GearLevel::HighPerformance;
}

void AdvanceSettings::ResetLastMode()
{
    // Start-up restores the level stored under Root, so that is the one to
    // clear; a missing key has nothing to clear and is not created.
    kelp::RegistryKey writer;
    if (writer.Open(HKEY_LOCAL_MACHINE, RegKey::Root, false))
        writer.WriteDword(RegValue::LastMode, GearLevel::HighPerformance);
}

void AdvanceSettings::SetPhaseMode(int phase)
{
    WriteDwordValue(HKEY_LOCAL_MACHINE, RegKey::Advance, RegValue::PhaseMode, static_cast<DWORD>(phase));
}

bool AdvanceSettings::ReadPhaseMode(int& phase) const
{
    DWORD value = 0;
    if (!ReadDwordValue(HKEY_LOCAL_MACHINE, RegKey::Advance, RegValue::PhaseMode, value))
        return false;
    phase = static_cast<int>(value);
    return true;
}

bool AdvanceSettings::IsCheckSafe_FlagClear() const { return IsFlagClear(RegValue::CheckSafeFlag); }
void AdvanceSettings::MarkCheckSafe_Flag() { WriteFlag(RegValue::CheckSafeFlag, 1); }
void AdvanceSettings::ClearCheckSafe_Flag() { WriteFlag(RegValue::CheckSafeFlag, 0); }
bool AdvanceSettings::IsCalibration_FlagClear() const { return IsFlagClear(RegValue::CalibrationFlag); }
void AdvanceSettings::MarkCalibration_Flag() { WriteFlag(RegValue::CalibrationFlag, 1); }
void AdvanceSettings::ClearCalibration_Flag() { WriteFlag(RegValue::CalibrationFlag, 0); }
bool AdvanceSettings::IsGear_FlagClear() const { return IsFlagClear(RegValue::GearFlag); }
void AdvanceSettings::MarkGear_Flag() { WriteFlag(RegValue::GearFlag, 1); }
void AdvanceSettings::ClearGear_Flag() { WriteFlag(RegValue::GearFlag, 0); }
