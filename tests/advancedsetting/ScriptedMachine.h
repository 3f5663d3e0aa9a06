#pragma once
// A machine for the advanced settings whose store, board and system
// answers the test sets.

#include "engine/ModeModel.h"
#include "screens/advancedsetting/SettingsMachine.h"

#include <array>
#include <map>
#include <vector>

namespace advancedtest {

using advancedsetting::ItemRange;

constexpr int kTurbo = ModeIndex::Turbo;
constexpr int kHigh = ModeIndex::HighPerformance;
constexpr int kMedium = ModeIndex::Medium;
constexpr int kLow = ModeIndex::Low;

class ScriptedMachine : public advancedsetting::SettingsMachine {
public:
    int CurrentLevel() override { return level; }
    ModeTuning StoredTuning(int modeIndex) override { return store[modeIndex]; }
    ModeTuning FactoryTuning(int modeIndex) override { return factory[modeIndex]; }
    void SetTuning(int modeIndex, const ModeTuning& tuning) override
    {
        store[modeIndex] = tuning;
        setOrder.push_back(modeIndex);
    }
    void SetCalibrationNeeded() override {}
    void Save() override {}
    std::optional<ItemRange> ItemInformation(uint32_t item) override
    {
        const auto found = ranges.find(item);
        if (found == ranges.end())
            return std::nullopt;
        return found->second;
    }
    int PhaseGroup() override { return phaseGroup; }
    bool IsAcpiV2() override { return acpiV2; }
    bool IsNapUtilityRunning() override { return napUtility; }
    unsigned SystemMajorVersion() override { return majorVersion; }
    int GraphicsBase() override { return graphicsBase; }
    int GraphicsCurrent() override { return graphicsCurrent; }
    int GraphicsSettings() override { return graphicsSettings; }
    std::string GraphicsSettingText(int setting) override
    {
        return setting == 0 ? "Auto" : std::to_string(300.0 + 12.5 * setting);
    }

    int level = 0;
    std::array<ModeTuning, 5> store{};
    std::array<ModeTuning, 5> factory{};
    std::map<uint32_t, ItemRange> ranges;
    int phaseGroup = 5;
    bool acpiV2 = true;
    bool napUtility = false;
    unsigned majorVersion = 6;
    int graphicsBase = 4;
    int graphicsCurrent = 2;
    int graphicsSettings = 10;

    std::vector<int> setOrder;
};

} // namespace advancedtest
