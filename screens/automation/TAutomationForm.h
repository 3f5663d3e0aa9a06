#pragma once
// The automation page: the hotkeys of the modes, the programs whose mode
// holds while they run and the weekly schedule, on three tabs. Every edit
// goes to a working copy (AutomationDraft); OK stores it through the host
// once every entry is valid, Cancel, the close button and Escape drop it. A
// layered pop-up centred on the main window like the history window; made
// when first opened.

#include "screens/automation/AutomationDraft.h"
#include "screens/automation/AutomationPageHost.h"
#include "screens/automation/HotkeyField.h"
#include "screens/automation/PageButtons.h"
#include "screens/automation/RuleList.h"

#include "VtPackage/VtButton.h"
#include "VtPackage/VtButtonTx.h"
#include "framework/TForm.h"
#include "framework/controls/TImage.h"
#include "framework/controls/TLabel.h"
#include "framework/controls/TTextBox.h"
#include "kelp/widget/Flicker.h"
#include "kelp/widget/LayeredShapedForm.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

class TAutomationForm : public TForm {
public:
    static constexpr int kHotkeyRows = int(automation::kHotkeyCount);
    static constexpr int kDays = 7;

    explicit TAutomationForm(TComponent* owner);
    ~TAutomationForm() override;

    void SetHost(automationpage::AutomationPageHost* host) { host_ = host; }
    // The captions from the language files, in the fonts `language` needs;
    // the constructor sets them for the system's language.
    void SetTexts(const std::string& language);
    void ShowTab(automationpage::Tab tab);
    automationpage::Tab CurrentTab() const { return tab_; }
    // The working copy; null before the form was first shown.
    const automationpage::AutomationDraft* Draft() const { return draft_.get(); }

    TImage* Background;
    TLabel* Title;
    TPageTab* HotkeysTab;
    TPageTab* ProgramsTab;
    TPageTab* ScheduleTab;
    std::array<TLabel*, kHotkeyRows> HotkeyName;
    std::array<THotkeyField*, kHotkeyRows> HotkeyField;
    std::array<TToggleButton*, kHotkeyRows> HotkeyOn;
    std::array<TLabel*, kHotkeyRows> HotkeyState;
    TRuleList* ProgramList;
    TTextBox* ProgramBox;
    VtButtonTx* BrowseButton;
    TModeChoice* ProgramMode;
    VtButtonTx* ProgramAdd;
    VtButtonTx* ProgramRemove;
    TRuleList* ScheduleList;
    std::array<TToggleButton*, kDays> Day;
    TTextBox* FromBox;
    TTextBox* ToBox;
    TModeChoice* ScheduleMode;
    VtButtonTx* ScheduleAdd;
    VtButtonTx* ScheduleRemove;
    TLabel* Message;
    VtButtonTx* OkButton;
    VtButtonTx* CancelButton;
    VtButton* CloseButton;

protected:
    bool DialogKey(WORD key, TWinControl& from) override;

private:
    void FormShow(TObject* sender);
    void OkButtonClick();
    void Discard();

    void ShowHotkeys();
    void ShowRules();
    void ShowWindows();
    void LoadRuleEditor();
    void LoadWindowEditor();
    void EnableEditors();
    // The line under the tab: the chosen entry's problem, else the tab's hint.
    void ShowMessageLine();
    void ShowProblem(const std::string& text);

    void CombinationSet(int row, const automationpage::KeyCombination& combination);
    void HotkeyToggled(int row);
    void ProgramTyped();
    void BrowseButtonClick();
    void ProgramAddClick();
    void ProgramRemoveClick();
    void DayToggled();
    void TimeTyped(bool start);
    void ScheduleAddClick();
    void ScheduleRemoveClick();

    std::vector<TControl*> TabControls(automationpage::Tab tab);
    std::string ModeName(int level) const;

    automationpage::AutomationPageHost* host_ = nullptr;
    std::unique_ptr<automationpage::AutomationDraft> draft_;
    automationpage::Tab tab_ = automationpage::Tab::Hotkeys;
    std::array<bool, kHotkeyRows> taken_{};
    // Set while the form writes the editors, whose changes are no typing.
    bool loadingEditor_ = false;
    kelp::LayeredShapedForm shape_;
    kelp::Flicker flicker_;
};
