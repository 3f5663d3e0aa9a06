#pragma once
// The automation page's working copy of the settings: every edit of the
// three tabs goes here and is validated at once, nothing reaches the store
// before OK, and OK is refused while an entry is not valid (the first one is
// named, so the page can show it). Plain C++.

#include "automation/AutomationSettings.h"

#include <optional>
#include <string>

namespace automationpage {

enum class Tab { Hotkeys, Programs, Schedule };

// An entry that keeps OK from storing: its tab, its row and the language
// key of what is wrong with it.
struct DraftProblem {
    Tab tab;
    int row;
    const char* messageKey;
};

class AutomationDraft {
public:
    explicit AutomationDraft(automation::AutomationSettings stored);

    const automation::AutomationSettings& Settings() const { return settings_; }

    // Hotkeys. A combination set is switched on with it; an empty one off.
    void SetCombination(automation::HotkeyAction action, uint32_t modifiers, uint32_t key);
    void SetHotkeyEnabled(automation::HotkeyAction action, bool enabled);

    // Program rules. A new rule names no program yet; its row is returned.
    int AddRule(int level);
    void SetRuleProgram(int row, const std::string& program);
    void SetRuleLevel(int row, int level);
    // The row chosen after the removal (-1 when the list is empty).
    int RemoveRule(int row);

    // Schedule windows. A new window covers the working days 09:00-17:00.
    int AddWindow(int level);
    void SetWindowDays(int row, uint8_t days);
    // nullopt: what was typed is no time (the window is then not valid).
    void SetWindowStart(int row, std::optional<int> minute);
    void SetWindowEnd(int row, std::optional<int> minute);
    void SetWindowLevel(int row, int level);
    int RemoveWindow(int row);

    // The first entry that keeps OK from storing, in tab and row order.
    std::optional<DraftProblem> FirstProblem() const;

private:
    void Revalidate();
    bool HasRule(int row) const { return row >= 0 && size_t(row) < settings_.rules.size(); }
    bool HasWindow(int row) const { return row >= 0 && size_t(row) < settings_.windows.size(); }

    automation::AutomationSettings settings_;
};

// The language key of each problem; null for None.
const char* HotkeyProblemKey(automation::HotkeyProblem problem);
const char* RuleProblemKey(automation::RuleProblem problem);
const char* WindowProblemKey(automation::WindowProblem problem);

} // namespace automationpage
