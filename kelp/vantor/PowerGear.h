#pragma once
// The process-wide facade of the power-gear library (Tamsel.dll): the
// board's power gear, gear-related BIOS items, the board's optional
// features and the stored Auto thresholds. Called from the main thread and
// from the mode worker at the same time.

#include "kelp/vantor/PowerGearImp.h"

#include <cstdint>
#include <memory>

namespace kelp {

class ThresholdStore;

class PowerGear {
public:
    // Chooses the library's folder before the first Instance(): 0 = beside
    // the executable, anything else = its "Tamsel" sub-folder.
    static int m_impIndex;

    // Created on first use (asserts m_impIndex was set) and loaded once; a
    // library that fails to load leaves the facade unsupported.
    static PowerGear& Instance();

    // A facade over the given library; thresholds from `store`, or the
    // process-wide store when none is given.
    explicit PowerGear(std::unique_ptr<PowerGearImp> imp, ThresholdStore* store = nullptr);
    PowerGear(const PowerGear&) = delete;
    PowerGear& operator=(const PowerGear&) = delete;

    PowerGearImp& Imp() { return *m_imp; }

    bool IsSupported() { return m_imp->IsSupported(); }
    bool CheckOc() { return m_imp->CheckOc(); }
    bool CheckReboot(uint32_t argument) { return m_imp->CheckReboot(argument); }

    // The three assert IsSupported(). Leaving Auto for a fixed gear on a
    // board without the advanced gear passes through High Performance.
    int GetLevel();
    bool SetLevel(int level);
    bool SetLevelItem(int level);

    bool IsLevelTwo() { return m_imp->IsLevelTwo(); }
    bool IsAdvancedGear() { return m_imp->IsAdvancedGear(); }
    bool IsLevelFour() { return m_imp->IsLevelFour(); }
    bool IsLevelFourEight() { return m_imp->IsLevelFourEight(); }

    uint32_t IsDozlaSupported() { return m_imp->IsDozlaSupported(); }
    uint32_t IsFanControlSupported() { return m_imp->IsFanControlSupported(); }
    uint32_t IsBroskSupported() { return m_imp->IsBroskSupported(); }
    uint32_t IsBroskTwoSupported() { return m_imp->IsBroskTwoSupported(); }
    uint32_t IsBroskThreeSupported() { return m_imp->IsBroskThreeSupported(); }
    uint32_t IsFarcallSupported() { return m_imp->IsFarcallSupported(); }
    uint32_t IsNitrelSupported() { return m_imp->IsNitrelSupported(); }
    uint32_t IsThermostatSupported() { return m_imp->IsThermostatSupported(); }
    uint32_t IsVentryThreeSupported() { return m_imp->IsVentryThreeSupported(); }
    uint32_t ButtonEnable() { return m_imp->ButtonEnable(); }

    bool GetItem(uint32_t id, uint32_t& value) { return m_imp->GetItem(id, value); }
    bool SetItem(uint32_t id, uint32_t value) { return m_imp->SetItem(id, value); }
    bool IsItemSupported(uint32_t id) { return m_imp->IsItemSupported(id); }
    uint32_t SetItemEx(uint32_t id, uint32_t first, uint32_t second) { return m_imp->SetItemEx(id, first, second); }
    bool GetItemInformation(uint32_t id, GearItemInformation& record)
    {
        return m_imp->GetItemInformation(id, record);
    }

    // CPU current. Without the advanced gear the board cannot measure it
    // and a pseudo-random value 0..29 stands in; a failed read is reported
    // ("Can not get ICPU") and gives 0.
    int GetIcpu();
    bool IsThresholdResetPending() { return m_imp->IsThresholdResetPending(); }
    void ClearThresholdReset() { m_imp->ClearThresholdReset(); }
    // The saving mode index (0-3) Auto runs at the moment; 1 when unreadable.
    int GetAutoGear();
    bool HasSixThresholds() { return m_imp->HasSixThresholds(); }

    // Reloads the stored thresholds; true when they are valid.
    bool LoadThresholds();
    // Replace the first entries of the store and persist it; true when
    // every value was written.
    bool SetThresholds(uint32_t t1, uint32_t t2, uint32_t t3);
    bool SetThresholds(const uint32_t* values, int count);

private:
    static std::unique_ptr<PowerGearImp> CreateImp();
    ThresholdStore& Thresholds();
    // Whether a level change must pass through level 0 first: a board
    // without the advanced gear that is at a special level (above 255).
    bool NeedsLevelZeroFirst();

    std::unique_ptr<PowerGearImp> m_imp;
    ThresholdStore* m_thresholds;
};

} // namespace kelp
