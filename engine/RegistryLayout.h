#pragma once
// Every registry key and value name the program reads or writes. All values
// are REG_DWORD unless noted; the hive is given with each key.

namespace RegKey {
// HKLM. LastMode, NotFirstTime, NbVoltPatch and the calibration currents.
inline constexpr char Root[] = "Software\\VANTOR\\Tamsel3";
// HKLM: the advanced-settings store, its options and the crash guards.
// HKCU: CalibrationNeeded and CalibrationReason.
inline constexpr char Advance[] = "Software\\VANTOR\\Tamsel3\\Advance";
// HKLM: capability flags of the graphics-card side.
inline constexpr char Ordun[] = "Software\\VANTOR\\Tamsel3\\Ordun";
// HKLM: energy accounts of the mainboard and of the graphics card.
inline constexpr char OrdunMb[] = "Software\\VANTOR\\Tamsel3\\Ordun\\MB";
inline constexpr char OrdunVga[] = "Software\\VANTOR\\Tamsel3\\Ordun\\VGA";
// HKLM: the day-by-day savings history and the user's emission factor.
inline constexpr char OrdunHistory[] = "Software\\VANTOR\\Tamsel3\\Ordun\\History";
// HKLM: the automation's hotkeys, program rules and schedule.
inline constexpr char Automation[] = "Software\\VANTOR\\Tamsel3\\Automation";
// HKLM: the Auto thresholds, as the power-gear adapter spells Root (the
// registry ignores case, so it is the same key).
inline constexpr char Thresholds[] = "Software\\VANTOR\\TAMSEL3";
// HKLM, written by the graphics-card companion program.
inline constexpr char VgaCompanion[] = "Software\\VANTOR\\Ordun\\VGA";
// HKLM: fan-curve points and extra fan mode of the fan library.
inline constexpr char FanCurve[] = "Software\\VANTOR\\Corvex\\Ventry";
// HKLM: the GPU-boost driver's installation.
inline constexpr char GpuBoostDriver[] = "Software\\VANTOR\\Gruvo Driver";
// HKLM: another installer waits for a reboot (MBAP_REBOOT).
inline constexpr char RunOnce[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
// HKLM: this program's installer has not finished ("Pellix Install").
inline constexpr char RunOnceInstall[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce\\";
} // namespace RegKey

namespace RegValue {
// Under RegKey::Root.
inline constexpr char LastMode[] = "LastMode";
inline constexpr char NotFirstTime[] = "NotFirstTime";
inline constexpr char NbVoltPatch[] = "NbVoltPatch";
inline constexpr char NormLow[] = "NormLow";
inline constexpr char MediumLow[] = "MediumLow";
inline constexpr char TurboLow[] = "TurboLow";
inline constexpr char NormHigh[] = "NormHigh";
inline constexpr char MediumHigh[] = "MediumHigh";
inline constexpr char TurboHigh[] = "TurboHigh";
inline constexpr char PowerSavingLow[] = "PowerSavingLow";
inline constexpr char PowerSavingHigh[] = "PowerSavingHigh";
// Under RegKey::Thresholds, formatted with the 1-based index (1-6).
inline constexpr char ThresholdFormat[] = "Threshold%d";

// Under RegKey::Advance (HKLM). Both options are stored inverted.
inline constexpr char BalloonToolDisabled[] = "BalloonToolDisabled";
inline constexpr char RunAtSystemStartup[] = "RunAtSystemStartup";
inline constexpr char CheckSafeFlag[] = "CheckSafeFlag";
inline constexpr char CalibrationFlag[] = "Calibration_Flag";
inline constexpr char GearFlag[] = "Gear_Flag";
inline constexpr char PhaseMode[] = "Phase Mode";
// Per-mode tuning: the name followed by the mode's suffix ("vCore_Medium").
inline constexpr char Fsb[] = "Fsb";
inline constexpr char GpuFreq[] = "GpuFreq";
inline constexpr char VCore[] = "vCore";
inline constexpr char LoadLine[] = "LoadLine";
inline constexpr char NbVolt[] = "NbVolt";
inline constexpr char DozlaIdleTimeout[] = "DozlaIdleTimeout";
inline constexpr char SpinDownTimeout[] = "SpinDownTimeout";
inline constexpr char Fan[] = "Fan";

// Under RegKey::Advance (HKCU).
inline constexpr char CalibrationNeeded[] = "CalibrationNeeded";
inline constexpr char CalibrationReason[] = "CalibrationReason";

// Under RegKey::Ordun.
inline constexpr char OrdunSupported[] = "OrdunSupported";
inline constexpr char AutoSupported[] = "AutoSupported";
inline constexpr char SyncEnabled[] = "SyncEnabled";
inline constexpr char MonitorSupported[] = "MonitorSupported";

// Under RegKey::OrdunMb and RegKey::OrdunVga: REG_BINARY, 8-byte doubles.
inline constexpr char CurrentPower[] = "CurrentPower";
inline constexpr char TotalSaving[] = "TotalSaving";
inline constexpr char CumulativeSaving[] = "CumulativeSaving";
// Under RegKey::OrdunMb: REG_BINARY, 8-byte FILETIME of local time.
inline constexpr char ResetTime[] = "ResetTime";
inline constexpr char TotalResetTime[] = "TotalResetTime";

// Under RegKey::OrdunHistory: the days (REG_BINARY, the history's stored
// form) and the local grid's emission factor in g CO2 per kWh (REG_DWORD).
inline constexpr char HistoryDays[] = "Days";
inline constexpr char EmissionFactor[] = "EmissionFactor";

// Under RegKey::Automation: REG_SZ, the automation's stored form (lines).
inline constexpr char AutomationHotkeys[] = "Hotkeys";
inline constexpr char AutomationRules[] = "Rules";
inline constexpr char AutomationSchedule[] = "Schedule";

// Under RegKey::VgaCompanion (Version is a DWORD there) and
// RegKey::GpuBoostDriver (Version is a string there).
inline constexpr char Version[] = "Version";

// Under RegKey::FanCurve: "Temp" and "Speed" followed by 0, 1 or 2.
inline constexpr char TempPrefix[] = "Temp";
inline constexpr char SpeedPrefix[] = "Speed";
inline constexpr char ExtraMode[] = "ExtraMode";

// Strings whose presence alone counts, under RegKey::RunOnce and
// RegKey::RunOnceInstall.
inline constexpr char RebootPending[] = "MBAP_REBOOT";
inline constexpr char InstallPending[] = "Pellix Install";
} // namespace RegValue
