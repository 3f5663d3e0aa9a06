#include "engine/CpuPowerMonitor.h"

#include "engine/GraphicsCompanion.h"
#include "engine/ModeModel.h"
#include "engine/RegistryLayout.h"
#include "framework/system/ProcessWide.h"
#include "framework/system/Trace.h"
#include "kelp/System/WinRegistry.h"
#include "kelp/vantor/BiosInterface.h"
#include "kelp/vantor/BiosItemEnumerator.h"
#include "kelp/vantor/BiosItems.h"

#include <atomic>
#include <cmath>

namespace {
using namespace kelp::BiosItemId;

// Saving factors the companion reports are in units of 1/10000.
constexpr double kVgaFactorUnit = 0.0001;
constexpr double kMilliwatt = 0.001;
constexpr double kSecondsPerHour = 3600;
constexpr double kActiveFactor = 0.01;
constexpr uint32_t kVgaAutoFollower = 0x80000000;
constexpr int kPhaseGroupFallback = 5;
// The mode indices with hardware settings of their own.
constexpr int kTunedModes[] = {ModeIndex::Turbo, ModeIndex::Medium, ModeIndex::Low};

std::atomic<CpuPowerMonitor*> pluggedMonitor{nullptr};

bool IsTunedMode(int modeIndex)
{
    for (int tuned : kTunedModes)
        if (tuned == modeIndex)
            return true;
    return false;
}

uint32_t InterfaceVersion()
{
    return kelp::GetInterfaceVersion() >> 24;
}

bool IsNbVoltPatched()
{
    kelp::RegistryKeyReader key;
    DWORD patch = 0;
    return key.Open(HKEY_LOCAL_MACHINE, RegKey::Root) && key.ReadDword(RegValue::NbVoltPatch, patch) && patch == 1;
}
} // namespace

int PowerWordExponent(uint16_t word)
{
    return int(word >> 11) - ((word & 0x8000) ? 32 : 0);
}

double CpuPowerFromWord(uint16_t word)
{
    return std::ldexp(double(word & 0x7FF), PowerWordExponent(word));
}

CpuPowerMonitor& CpuPowerMonitor::Instance()
{
    static ProcessWide<CpuPowerMonitor> monitor(kelp::PowerGear::Instance(), GraphicsCompanion());
    static const bool plugged = (monitor->PlugIntoEngine(), true);
    (void)plugged;
    return *monitor;
}

CpuPowerMonitor::CpuPowerMonitor(kelp::PowerGear& gear, kelp::GpuLib& gpu, SavingsLedger::DayClock today)
    : gear_(gear), gpu_(gpu), ledger_(std::move(today))
{
}

CpuPowerMonitor::~CpuPowerMonitor()
{
    CpuPowerMonitor* self = this;
    if (pluggedMonitor.compare_exchange_strong(self, nullptr)) {
        PlugModeHardware(nullptr);
        PlugAutoGearSource(nullptr);
    }
}

void CpuPowerMonitor::PlugIntoEngine()
{
    pluggedMonitor = this;
    PlugModeHardware(this);
    PlugAutoGearSource(&CpuPowerMonitor::PluggedAutoGear);
}

int CpuPowerMonitor::PluggedAutoGear()
{
    CpuPowerMonitor* monitor = pluggedMonitor;
    return monitor ? monitor->gear_.GetAutoGear() : 1;
}

void CpuPowerMonitor::Start()
{
    gear_.SetItem(kGearEnable, 1);
    if (!IsAcpiV3())
        gear_.ButtonEnable();
    ReadHardwareDefaults();
    modeChangeDone_.Reset(CreateEventA(nullptr, FALSE, TRUE, nullptr));

    if (!mbAccount_.Load())
        Trace("~~~[CpuPowerMonitor] MB EnergySaving Load failed");
    mbAccount_.SetFactors(MbEnergySaving::kFactors);
    if (!vgaAccount_.Load())
        Trace("~~~[CpuPowerMonitor] VGA EnergySaving Load failed");
    ledger_.Load();
    RefreshVgaCapability();
}

void CpuPowerMonitor::ReadHardwareDefaults()
{
    const bool patchNbVolt = IsNbVoltPatched();
    for (int mode : kTunedModes) {
        HardwareDefaults& defaults = defaults_[mode];
        gear_.SetItem(kSettingModeIndex, uint32_t(mode));
        gear_.GetItem(FsbItem(mode), defaults.fsb);
        gear_.GetItem(kCoreVoltage, defaults.vCore);
        gear_.GetItem(kNbVoltage, defaults.nbVolt);
        // Boards with the patch must start from the lowest north-bridge voltage.
        if (patchNbVolt)
            defaults.nbVolt = 0;
        gear_.SetItem(kNbVoltage, defaults.nbVolt);
        gear_.GetItem(kLoadLine, defaults.loadLine);
    }
}

uint32_t CpuPowerMonitor::FsbItem(int modeIndex)
{
    // The board's first bus-frequency item decides which family of
    // identifiers (0x0B01... or 0x0B05...) carries the settings.
    const uint16_t number = modeIndex == ModeIndex::Turbo ? kFsbTurboNumber : kFsbSavingNumber;
    return (uint32_t(kGearGroup) << 24) | (uint32_t(GetPhaseGroupValue()) << 16) | number;
}

void CpuPowerMonitor::StartPipeServer(HWND window, UINT message)
{
    if (!pipeServer_)
        pipeServer_ = std::make_unique<kelp::OrdunPipeServerThread>(window, message);
}

double CpuPowerMonitor::ReadCpuPower()
{
    uint32_t value = 0;
    // An unreadable item counts as the zero word.
    if (!gear_.GetItem(kCpuPower, value))
        value = 0;
    const uint16_t word = uint16_t(value);
    const double power = CpuPowerFromWord(word);
    Trace("~~~[CpuPowerMonitor] value:%x msb:%x lsb:%x power %f", unsigned(word),
                unsigned(PowerWordExponent(word)), unsigned(word & 0x7FF), power);
    return power < kMinimumPower ? kMinimumPower : power;
}

history::Tick CpuPowerMonitor::Sample(double seconds)
{
    const double power = ReadCpuPower();
    const int level = LibraryLevel();
    const int index = LevelToSavingIndex(level);
    mbAccount_.SetPower(power);
    history::Tick tick;
    tick.modeIndex = LevelToIndex(level);
    tick.savingIndex = index;
    tick.seconds = seconds;
    tick.boardSaved = mbAccount_.Accumulate(index, seconds);
    tick.vgaSaved = vgaAccount_.Accumulate(index, seconds);
    tick.cpuUsed = power * seconds / kSecondsPerHour;
    ledger_.Record(tick);
    return tick;
}

int CpuPowerMonitor::LibraryLevel()
{
    return gear_.IsSupported() ? gear_.GetLevel() : GearLevel::Unknown;
}

bool CpuPowerMonitor::IsRestorePending()
{
    int level = 0;
    CpuPowerMonitorHost* host = host_.load();
    return host && host->IsRestorePending(level);
}

int CpuPowerMonitor::CurrentLevel()
{
    int level = 0;
    if (CpuPowerMonitorHost* host = host_.load(); host && host->IsRestorePending(level))
        return level;
    return LibraryLevel();
}

int CpuPowerMonitor::SavingIndex()
{
    return LevelToSavingIndex(LibraryLevel());
}

bool CpuPowerMonitor::IsOverclocked()
{
    return IsAcpiV3() ? false : gear_.CheckOc();
}

bool CpuPowerMonitor::IsAcpiV3()
{
    if (!acpiV3_)
        acpiV3_ = InterfaceVersion() >= 3;
    return *acpiV3_;
}

bool CpuPowerMonitor::IsAcpiV2()
{
    if (!acpiV2_)
        acpiV2_ = InterfaceVersion() >= 2;
    return *acpiV2_;
}

bool CpuPowerMonitor::IsTweakDisabled()
{
    uint32_t flags = 0;
    return gear_.IsItemSupported(kTuningFlags) && gear_.GetItem(kTuningFlags, flags) &&
           (flags & kTuningFlagsDisabledBit) != 0;
}

bool CpuPowerMonitor::IsAutoAllowedByBios()
{
    if (!autoAllowed_) {
        uint32_t allowed = 0;
        if (!gear_.IsItemSupported(kAutoAllowed))
            autoAllowed_ = true;
        else
            autoAllowed_ = gear_.GetItem(kAutoAllowed, allowed) && allowed != 0;
    }
    return *autoAllowed_;
}

int CpuPowerMonitor::GetPhaseGroupValue()
{
    if (phaseGroup_)
        return *phaseGroup_;
    phaseGroup_ = kPhaseGroupFallback;
    kelp::BiosItemEnumerator items;
    if (!items.Open(kGearGroup))
        return *phaseGroup_;
    for (; !items.AtEnd(); items.Next()) {
        const uint32_t id = items.CurrentId();
        const uint16_t number = kelp::ItemNumber(id);
        if (id != 0 && (number == kFsbTurboNumber || number == kFsbSavingNumber)) {
            phaseGroup_ = int(kelp::ItemType(id));
            break;
        }
    }
    items.Close();
    return *phaseGroup_;
}

bool CpuPowerMonitor::IsVgaSavingActive(int level) const
{
    if (!vgaConnected_ || !vgaSyncEnabled_)
        return false;
    if (level != GearLevel::Auto && level != GearLevel::Unknown)
        return vgaAccount_.Factor(LevelToIndex(level)) > kActiveFactor;
    return vgaAccount_.Factor(ModeIndex::Medium) > kActiveFactor || vgaAccount_.Factor(ModeIndex::Low) > kActiveFactor;
}

void CpuPowerMonitor::UpdateVgaButton()
{
    CpuPowerMonitorHost* host = host_.load();
    if (!host)
        return;
    host->EnableVgaButton(!IsVgaSavingActive(GearLevel::Unknown));
    host->RedrawGearDial();
}

void CpuPowerMonitor::RefreshVgaCapability()
{
    kelp::VgaCapability capability;
    if (!gpu_.QueryVgaCapability(capability)) {
        vgaOrdunSupported_ = false;
    } else {
        Trace("~~~[CpuPowerMonitor]::QueryVgaCapablility");
        vgaOrdunSupported_ = gpu_.HasFlagBit0(capability.flags);
        vgaAutoSupported_ = gpu_.HasFlagBit2(capability.flags);
        vgaSyncEnabled_ = gpu_.IsSyncEnabled();
        vgaMonitorSupported_ = gpu_.HasFlagBit1(capability.flags);
        vgaAccount_.SetPower(capability.value * kMilliwatt);

        // The factors change only when the companion answers for every level.
        const uint32_t levels[] = {uint32_t(GearLevel::Turbo), 0, 1, 2};
        std::array<double, EnergySaving::kSavingIndices> factors{};
        bool complete = true;
        for (size_t i = 0; i < factors.size() && complete; ++i) {
            uint32_t value = 0;
            complete = gpu_.GetVgaModeValue(levels[i], value);
            factors[i] = value * kVgaFactorUnit;
        }
        if (complete)
            vgaAccount_.SetFactors(factors);
        vgaConnected_ = 1;
        UpdateVgaButton();
    }
    WriteVgaCapabilityFlags();
}

void CpuPowerMonitor::WriteVgaCapabilityFlags()
{
    kelp::RegistryKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, RegKey::Ordun, true))
        return;
    key.WriteDword(RegValue::OrdunSupported, vgaOrdunSupported_);
    key.WriteDword(RegValue::AutoSupported, vgaAutoSupported_);
    key.WriteDword(RegValue::SyncEnabled, vgaSyncEnabled_);
    key.WriteDword(RegValue::MonitorSupported, vgaMonitorSupported_);
}

void CpuPowerMonitor::SyncVgaMode()
{
    if (!vgaSyncEnabled_)
        return;
    uint32_t mode = uint32_t(IndexToLevel(SavingIndex()));
    if (LibraryLevel() == GearLevel::Auto) {
        if (vgaAutoSupported_) {
            mode = GearLevel::Auto;
        } else {
            // A companion without Auto follows the sub-mode, at most Medium.
            if (mode == uint32_t(GearLevel::MaxSaving))
                mode = GearLevel::MediumSaving;
            mode |= kVgaAutoFollower;
        }
    }
    Trace("~~~[CpuPowerMonitor] Set Vga to mode %x", unsigned(mode));
    gpu_.SetVgaMode(mode);
}

void CpuPowerMonitor::ClearCumulative()
{
    mbAccount_.ClearCumulative();
    vgaAccount_.ClearCumulative();
}

void CpuPowerMonitor::OnVgaConnected()
{
    RefreshVgaCapability();
    vgaConnected_ = 1;
    UpdateVgaButton();
    if (!IsRestorePending())
        SyncVgaMode();
}

void CpuPowerMonitor::OnVgaDisconnected()
{
    vgaConnected_ = 0;
    UpdateVgaButton();
}

void CpuPowerMonitor::OnVgaSyncChanged()
{
    vgaSyncEnabled_ = gpu_.IsSyncEnabled();
    SyncVgaMode();
    Trace(vgaSyncEnabled_ ? "~~~Vga and MB Sync Enable" : "~~~Vga and MB Sync Disable");
    UpdateVgaButton();
}

void CpuPowerMonitor::OnVgaModeChanged()
{
    uint32_t mode = 0;
    if (gpu_.GetVgaMode(mode))
        vgaModeIndex_ = LevelToIndexNoAuto(int(mode));
}

void CpuPowerMonitor::OnModeRefresh()
{
    if (!vgaAutoSupported_)
        SyncVgaMode();
}

HardwareDefaults CpuPowerMonitor::GetDefaults(int modeIndex)
{
    return modeIndex >= 0 && modeIndex < int(defaults_.size()) ? defaults_[modeIndex] : HardwareDefaults{};
}

void CpuPowerMonitor::ApplyTuning(int modeIndex, uint32_t fsb, uint32_t vCore, uint32_t loadLine, uint32_t nbVolt)
{
    if (!IsTunedMode(modeIndex))
        return;
    gear_.SetItem(kSettingModeIndex, uint32_t(modeIndex));
    gear_.SetItem(FsbItem(modeIndex), fsb);
    gear_.SetItem(kCoreVoltage, vCore);
    gear_.SetItem(kNbVoltage, nbVolt);
    gear_.SetItem(kLoadLine, loadLine);
}
