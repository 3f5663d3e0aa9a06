#pragma once
// The advanced settings' view of the running program: the settings store,
// the power monitor, the power-gear library and the graphics boost.

#include "screens/advancedsetting/SettingsMachine.h"

namespace advancedsetting {

class MachineSettings : public SettingsMachine {
public:
    int CurrentLevel() override;
    ModeTuning StoredTuning(int modeIndex) override;
    ModeTuning FactoryTuning(int modeIndex) override;
    void SetTuning(int modeIndex, const ModeTuning& tuning) override;
    void SetCalibrationNeeded() override;
    void Save() override;
    std::optional<ItemRange> ItemInformation(uint32_t item) override;
    int PhaseGroup() override;
    bool IsAcpiV2() override;
    bool IsNapUtilityRunning() override;
    unsigned SystemMajorVersion() override;
    int GraphicsBase() override;
    int GraphicsCurrent() override;
    int GraphicsSettings() override;
    std::string GraphicsSettingText(int setting) override;
};

} // namespace advancedsetting
