#pragma once
// The advanced settings without their window: working copies of the four
// fixed modes' records, the tab being edited, what its rows show and what
// the user's changes make of the records. Nothing reaches the store before
// SaveToStore, so closing without OK leaves the settings as they were.

#include "screens/advancedsetting/RowValues.h"
#include "screens/advancedsetting/SettingsMachine.h"
#include "screens/advancedsetting/TimeChoices.h"

#include <array>
#include <string>
#include <vector>

namespace advancedsetting {

// Modal results of the form.
inline constexpr int kResultOk = 1;
inline constexpr int kResultCancel = 2;
// OK with a change that the Auto thresholds' calibration depends on.
inline constexpr int kResultOkRecalibrate = 6;

class TuningEditor {
public:
    explicit TuningEditor(SettingsMachine& machine);
    TuningEditor(const TuningEditor&) = delete;
    TuningEditor& operator=(const TuningEditor&) = delete;

    // Asks the machine afresh (the nap feature and the graphics software
    // can change while the program runs), reloads the working copies from
    // the store and returns the tab of the mode in force.
    int Begin(bool extended);
    const SettingsFacts& Facts() const { return facts_; }
    const RowEnables& Enables() const { return enables_; }

    void SwitchTo(int tab);
    int Tab() const { return tab_; }
    // What the current tab's rows show.
    RowValues Shown() const;
    std::vector<std::string> Choices(OptionRowId row, const Translator& translate) const;

    // The user changed a row of the current tab.
    void Changed(const RowValues& rows);
    // Factory settings for the current tab.
    void Default();

    const ModeTuning& Working(int tab) const { return working_[tab]; }
    int OkResult();
    void SaveToStore();
    void Finish(bool calibrationRequired);

private:
    SettingsFacts GatherFacts(bool extended);
    // Keeps Medium's frequency at or below Max saving's, moving the other
    // tab's value.
    void Couple();

    SettingsMachine& machine_;
    SettingsFacts facts_;
    RowEnables enables_;
    std::array<ModeTuning, kTabCount> working_{};
    int tab_ = 0;
};

} // namespace advancedsetting
