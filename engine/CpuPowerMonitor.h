#pragma once
// The hub of the power-mode engine: CPU power readings and the two energy
// accounts, the graphics-card companion kept in step with the board's mode,
// cached hardware capability answers, the per-mode hardware defaults read
// at start-up, and the event that serialises mode changes. Runs on the main
// thread.

#include "engine/CpuPowerMonitorHost.h"
#include "engine/EnergySavingAccounts.h"
#include "engine/ModeHardware.h"
#include "engine/SavingsLedger.h"
#include "ipc/GpuLib.h"
#include "ipc/OrdunPipeServerThread.h"
#include "ipc/OwnedHandle.h"
#include "kelp/vantor/PowerGear.h"

#include <windows.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

// A CPU power word: bits 15-11 a signed exponent (-16..15), bits 10-0 the
// mantissa; watts = mantissa * 2^exponent (no lower limit applied).
int PowerWordExponent(uint16_t word);
double CpuPowerFromWord(uint16_t word);

class CpuPowerMonitor final : public ModeHardware {
public:
    // The pipe server's message to the main window.
    static constexpr UINT kPipeEventMessage = 1054;
    // Lowest power the monitor reports, in watts.
    static constexpr double kMinimumPower = 2.5;

    // Created on first use over the process-wide power-gear facade and the
    // companion's pipe, and plugged into the mode engine.
    static CpuPowerMonitor& Instance();

    // `today` dates the savings history's days.
    CpuPowerMonitor(kelp::PowerGear& gear, kelp::GpuLib& gpu,
                    SavingsLedger::DayClock today = &SavingsLedger::LocalToday);
    // Unplugs itself from the mode engine.
    ~CpuPowerMonitor();
    CpuPowerMonitor(const CpuPowerMonitor&) = delete;
    CpuPowerMonitor& operator=(const CpuPowerMonitor&) = delete;

    // Becomes the mode engine's hardware and Auto gear source.
    void PlugIntoEngine();
    // The mode worker asks the host too: a host unplugged is seen as gone at once.
    void PlugHost(CpuPowerMonitorHost* host) { host_.store(host); }

    // Start-up: gear engine on, button enable on older interfaces, the
    // hardware defaults, the mode-change event, the accounts and the
    // graphics-card capability.
    void Start();
    void StartPipeServer(HWND window, UINT message = kPipeEventMessage);
    HANDLE ModeChangeDone() const { return modeChangeDone_.Get(); }

    // One energy tick: the accounts, then the savings history; what the tick credited.
    history::Tick Sample(double seconds);
    // Watts, at least kMinimumPower.
    double ReadCpuPower();

    int CurrentLevel();
    // The power-gear library's level; "no mode" when the board has no
    // power gear.
    int LibraryLevel();
    int SavingIndex();

    bool IsOverclocked();
    bool IsAcpiV3() override;
    bool IsAcpiV2();
    bool IsTweakDisabled();
    bool IsAutoAllowedByBios();
    int GetPhaseGroupValue();

    bool IsVgaSavingActive(int level) const;
    void UpdateVgaButton();
    void RefreshVgaCapability();
    void SyncVgaMode();
    void ClearCumulative();

    // Pipe events (message 1054) and the main window's refresh request.
    void OnVgaConnected();
    void OnVgaDisconnected();
    void OnVgaSyncChanged();
    void OnVgaModeChanged();
    void OnModeRefresh();

    HardwareDefaults GetDefaults(int modeIndex) override;
    void ApplyTuning(int modeIndex, uint32_t fsb, uint32_t vCore, uint32_t loadLine, uint32_t nbVolt) override;

    double BoardPower() const { return mbAccount_.Power(); }
    double BoardTotalSaving() const { return mbAccount_.TotalSaving(); }
    double BoardCumulativeSaving() const { return mbAccount_.CumulativeSaving(); }
    double VgaTotalSaving() const { return vgaAccount_.TotalSaving(); }
    double VgaCumulativeSaving() const { return vgaAccount_.CumulativeSaving(); }
    double VgaPower() const { return vgaAccount_.Power(); }
    double VgaFactor(int savingIndex) const { return vgaAccount_.Factor(savingIndex); }
    bool IsVgaConnected() const { return vgaConnected_ != 0; }
    bool IsVgaOrdunSupported() const { return vgaOrdunSupported_; }
    bool IsVgaAutoSupported() const { return vgaAutoSupported_; }
    bool IsVgaSyncEnabled() const { return vgaSyncEnabled_; }
    bool IsVgaMonitorSupported() const { return vgaMonitorSupported_; }
    int VgaModeIndex() const { return vgaModeIndex_; }
    SavingsLedger& Ledger() { return ledger_; }
    const SavingsLedger& Ledger() const { return ledger_; }

private:
    static int PluggedAutoGear();
    void ReadHardwareDefaults();
    uint32_t FsbItem(int modeIndex);
    void WriteVgaCapabilityFlags();
    bool IsRestorePending();

    kelp::PowerGear& gear_;
    kelp::GpuLib& gpu_;
    std::atomic<CpuPowerMonitorHost*> host_{nullptr};

    std::unique_ptr<kelp::OrdunPipeServerThread> pipeServer_;
    int vgaConnected_ = 0;
    bool vgaOrdunSupported_ = false;
    bool vgaAutoSupported_ = false;
    bool vgaSyncEnabled_ = false;
    bool vgaMonitorSupported_ = false;
    int vgaModeIndex_ = 1;
    MbEnergySaving mbAccount_;
    VgaEnergySaving vgaAccount_;
    SavingsLedger ledger_;
    kelp::OwnedHandle modeChangeDone_;
    std::array<HardwareDefaults, 4> defaults_{};

    std::optional<bool> acpiV3_;
    std::optional<bool> acpiV2_;
    std::optional<bool> autoAllowed_;
    std::optional<int> phaseGroup_;
};
