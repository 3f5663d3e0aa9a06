#pragma once
// What the advanced settings ask of the running program: the settings
// store, the mode in force, and the facts about the board and system that
// decide what the rows offer.

#include "engine/ModeTuning.h"
#include "screens/advancedsetting/FrequencyScale.h"

#include <cstdint>
#include <optional>
#include <string>

namespace advancedsetting {

class SettingsMachine {
public:
    virtual ~SettingsMachine() = default;

    virtual int CurrentLevel() = 0;
    virtual ModeTuning StoredTuning(int modeIndex) = 0;
    virtual ModeTuning FactoryTuning(int modeIndex) = 0;
    // Hands a record to the store (in memory; Save writes the registry).
    virtual void SetTuning(int modeIndex, const ModeTuning& tuning) = 0;
    virtual void SetCalibrationNeeded() = 0;
    virtual void Save() = 0;

    // The power-gear library's range of a number item.
    virtual std::optional<ItemRange> ItemInformation(uint32_t item) = 0;
    virtual int PhaseGroup() = 0;
    virtual bool IsAcpiV2() = 0;
    // The separate nap utility's window is up.
    virtual bool IsNapUtilityRunning() = 0;
    // 0 when the version cannot be read.
    virtual unsigned SystemMajorVersion() = 0;

    // The graphics boost (only asked in the extended layout).
    virtual int GraphicsBase() = 0;
    virtual int GraphicsCurrent() = 0;
    virtual int GraphicsSettings() = 0;
    // The setting as the firmware names it: a frequency, or a word such as
    // "Auto" for the settings that are no frequency.
    virtual std::string GraphicsSettingText(int setting) = 0;
};

} // namespace advancedsetting
