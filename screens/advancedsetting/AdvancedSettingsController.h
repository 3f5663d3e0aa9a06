#pragma once
// Binds the advanced-settings form to the tuning rules: builds the rows on
// the form, reloads the working copies each time the form opens, follows
// the tab clicks, reads every change back, and answers OK, Cancel and
// Default. Saving and applying are the caller's, after OK.

#include "screens/advancedsetting/OptionRow.h"
#include "screens/advancedsetting/SliderRow.h"
#include "screens/advancedsetting/TAdvancedSetting.h"
#include "screens/advancedsetting/TuningEditor.h"

#include <array>
#include <memory>

// The program's advanced-settings form, created at start-up with the others.
extern TAdvancedSetting* AdvancedSetting;

class AdvancedSettingsController {
public:
    // Over the program's form and the running machine; created on first use.
    static AdvancedSettingsController& Instance();

    AdvancedSettingsController(TAdvancedSetting& form, advancedsetting::SettingsMachine& machine);
    AdvancedSettingsController(const AdvancedSettingsController&) = delete;
    AdvancedSettingsController& operator=(const AdvancedSettingsController&) = delete;

    // 1: OK; 6: OK with a change that needs a new calibration; 2: Cancel
    // or closed.
    int ShowModal();
    // The working copies to the settings store (after OK).
    void SaveToStore();
    // After the mode was applied again: records the calibration request and
    // writes the store to the registry.
    void Finish(bool calibrationRequired);

    // The rows, for tests and pictures.
    SliderRow& CpuRow() { return *cpu_; }
    SliderRow* GpuRow() { return gpu_.get(); }
    OptionRow& Option(advancedsetting::OptionRowId row) { return *options_[row]; }
    const advancedsetting::TuningEditor& Editor() const { return editor_; }
    // The form's show event: the texts, then reload and open the running
    // mode's tab.
    void Show();
    void SwitchTo(int tab);

private:
    void BuildRows();
    void SetTexts();
    void WireButtons();
    void ShowTab();
    void ReadBack();
    void Default();
    void Ok();

    TAdvancedSetting& form_;
    advancedsetting::SettingsMachine& machine_;
    advancedsetting::TuningEditor editor_;
    std::unique_ptr<SliderRow> cpu_;
    std::unique_ptr<GpuSliderRow> gpu_;
    std::array<std::unique_ptr<OptionRow>, advancedsetting::kOptionRowCount> options_;
    std::array<VtRadioButton*, advancedsetting::kTabCount> tabs_{};
    // Rows being filled from a record report no changes.
    bool loading_ = false;
};
