#include "screens/automation/TAutomationForm.h"

#include "app/ForceForeground.h"
#include "VtPackage/VtRegistration.h"
#include "engine/ModeModel.h"
#include "framework/TApplication.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/layout/LayoutReader.h"
#include "kelp/System/Language.h"
#include "screens/automation/ScheduleText.h"
#include "screens/cpuform/CentreOver.h"
#include "screens/dialogs/DialogFonts.h"

#include <algorithm>

using namespace automation;
using namespace automationpage;

namespace {

constexpr TColor kSecondary = 0x00AEA39A;
constexpr TColor kDanger = 0x003E50E0;
// The mode choices, in the order of the tray's icons and the settings' tabs.
constexpr int kChoiceLevels[] = {GearLevel::Turbo, GearLevel::HighPerformance, GearLevel::MediumSaving,
                                 GearLevel::MaxSaving, GearLevel::Auto};
// "23:59": what a time box takes.
constexpr int kTimeLength = 5;
// The list columns after the marker, in the list's client pixels: program
// and mode; days, from, to and mode. They line up with the headings.
const std::vector<int> kProgramColumns = {18, 380};
const std::vector<int> kScheduleColumns = {18, 256, 318, 380};

void RegisterPageClasses()
{
    TClassRegistry& registry = TClassRegistry::Instance();
    if (registry.Find("THotkeyField"))
        return;
    registry.Register<THotkeyField>("THotkeyField", "TWinControl")
        .Nested("Font", "TFont", [](TObject& o) -> TObject& { return static_cast<THotkeyField&>(o).Font(); });
    registry.Register<TRuleList>("TRuleList", "TWinControl")
        .Nested("Font", "TFont", [](TObject& o) -> TObject& { return static_cast<TRuleList&>(o).Font(); });
    registry.Register<TToggleButton>("TToggleButton", "VtButtonTx");
    registry.Register<TPageTab>("TPageTab", "VtButtonTx");
    registry.Register<TModeChoice>("TModeChoice", "VtButtonTx");
}

std::string Tr(const char* key)
{
    return kelp::Translate(key);
}

int ChoiceOf(int level)
{
    const auto* found = std::find(std::begin(kChoiceLevels), std::end(kChoiceLevels), level);
    return found == std::end(kChoiceLevels) ? -1 : int(found - std::begin(kChoiceLevels));
}

int LevelOf(int choice)
{
    return choice >= 0 && choice < int(std::size(kChoiceLevels)) ? kChoiceLevels[choice] : GearLevel::Unknown;
}

// A new entry takes the mode the editor shows, High Performance when none.
int NewEntryLevel(const TModeChoice& choice)
{
    const int level = LevelOf(choice.Choice());
    return IsModeLevel(level) ? level : GearLevel::HighPerformance;
}

std::string DayKey(const char* stem, int day)
{
    return std::string(stem) + std::to_string(day + 1);
}

std::array<std::string, 7> ShortDayNames()
{
    std::array<std::string, 7> names;
    for (int day = 0; day < 7; ++day)
        names[day] = kelp::Translate(DayKey("AutomationDay", day).c_str());
    return names;
}

} // namespace

TAutomationForm::TAutomationForm(TComponent* owner) : TForm(owner)
{
    RegisterVtComponents();
    RegisterPageClasses();
    THandlerTable handlers;
    handlers.Publish<TNotifyEvent>("FormShow", [this](TObject* sender) { FormShow(sender); });
    handlers.Publish<TNotifyEvent>("HotkeysTabClick", [this](TObject*) { ShowTab(Tab::Hotkeys); });
    handlers.Publish<TNotifyEvent>("ProgramsTabClick", [this](TObject*) { ShowTab(Tab::Programs); });
    handlers.Publish<TNotifyEvent>("ScheduleTabClick", [this](TObject*) { ShowTab(Tab::Schedule); });
    handlers.Publish<TNotifyEvent>("BrowseButtonClick", [this](TObject*) { BrowseButtonClick(); });
    handlers.Publish<TNotifyEvent>("ProgramAddClick", [this](TObject*) { ProgramAddClick(); });
    handlers.Publish<TNotifyEvent>("ProgramRemoveClick", [this](TObject*) { ProgramRemoveClick(); });
    handlers.Publish<TNotifyEvent>("ScheduleAddClick", [this](TObject*) { ScheduleAddClick(); });
    handlers.Publish<TNotifyEvent>("ScheduleRemoveClick", [this](TObject*) { ScheduleRemoveClick(); });
    handlers.Publish<TNotifyEvent>("OkButtonClick", [this](TObject*) { OkButtonClick(); });
    handlers.Publish<TNotifyEvent>("CancelButtonClick", [this](TObject*) { Discard(); });
    ReadOwnFormLayout(*this, handlers);

    Background = &LayoutComponent<TImage>(*this, "Background");
    Title = &LayoutComponent<TLabel>(*this, "Title");
    HotkeysTab = &LayoutComponent<TPageTab>(*this, "HotkeysTab");
    ProgramsTab = &LayoutComponent<TPageTab>(*this, "ProgramsTab");
    ScheduleTab = &LayoutComponent<TPageTab>(*this, "ScheduleTab");
    for (int row = 0; row < kHotkeyRows; ++row) {
        const std::string n = std::to_string(row);
        HotkeyName[row] = &LayoutComponent<TLabel>(*this, "HotkeyName" + n);
        HotkeyField[row] = &LayoutComponent<THotkeyField>(*this, "HotkeyField" + n);
        HotkeyOn[row] = &LayoutComponent<TToggleButton>(*this, "HotkeyOn" + n);
        HotkeyState[row] = &LayoutComponent<TLabel>(*this, "HotkeyState" + n);
        HotkeyField[row]->OnCombination = [this, row](const KeyCombination& combination) {
            CombinationSet(row, combination);
        };
        HotkeyField[row]->OnRefused = [this] { ShowProblem(Tr(LANG_KEY("AutomationKeyNeedsModifier"))); };
        HotkeyOn[row]->OnClick = [this, row](TObject*) { HotkeyToggled(row); };
        HotkeyField[row]->OnEnter = [this](TObject*) {
            if (host_)
                host_->SuspendHotkeys(true);
        };
        HotkeyField[row]->OnExit = [this](TObject*) {
            if (host_)
                host_->SuspendHotkeys(false);
        };
    }
    ProgramList = &LayoutComponent<TRuleList>(*this, "ProgramList");
    ProgramBox = &LayoutComponent<TTextBox>(*this, "ProgramBox");
    BrowseButton = &LayoutComponent<VtButtonTx>(*this, "BrowseButton");
    ProgramMode = &LayoutComponent<TModeChoice>(*this, "ProgramMode");
    ProgramAdd = &LayoutComponent<VtButtonTx>(*this, "ProgramAdd");
    ProgramRemove = &LayoutComponent<VtButtonTx>(*this, "ProgramRemove");
    ScheduleList = &LayoutComponent<TRuleList>(*this, "ScheduleList");
    for (int day = 0; day < kDays; ++day) {
        Day[day] = &LayoutComponent<TToggleButton>(*this, "Day" + std::to_string(day));
        Day[day]->OnClick = [this](TObject*) { DayToggled(); };
    }
    FromBox = &LayoutComponent<TTextBox>(*this, "FromBox");
    ToBox = &LayoutComponent<TTextBox>(*this, "ToBox");
    ScheduleMode = &LayoutComponent<TModeChoice>(*this, "ScheduleMode");
    ScheduleAdd = &LayoutComponent<VtButtonTx>(*this, "ScheduleAdd");
    ScheduleRemove = &LayoutComponent<VtButtonTx>(*this, "ScheduleRemove");
    Message = &LayoutComponent<TLabel>(*this, "Message");
    OkButton = &LayoutComponent<VtButtonTx>(*this, "OkButton");
    CancelButton = &LayoutComponent<VtButtonTx>(*this, "CancelButton");
    CloseButton = &LayoutComponent<VtButton>(*this, "CloseButton");

    ProgramList->SetColumns(kProgramColumns);
    ScheduleList->SetColumns(kScheduleColumns);
    ProgramBox->SetMaxLength(int(kMaxProgramLength));
    FromBox->SetMaxLength(kTimeLength);
    ToBox->SetMaxLength(kTimeLength);
    ProgramList->OnSelect = [this](int) { LoadRuleEditor(); };
    ScheduleList->OnSelect = [this](int) { LoadWindowEditor(); };
    ProgramList->OnDeleteKey = [this](int) { ProgramRemoveClick(); };
    ScheduleList->OnDeleteKey = [this](int) { ScheduleRemoveClick(); };
    ProgramBox->OnChange = [this](TObject*) { ProgramTyped(); };
    FromBox->OnChange = [this](TObject*) { TimeTyped(true); };
    ToBox->OnChange = [this](TObject*) { TimeTyped(false); };
    ProgramMode->OnClick = [this](TObject*) {
        if (draft_ && !loadingEditor_)
            draft_->SetRuleLevel(ProgramList->Selected(), LevelOf(ProgramMode->Choice()));
        ShowRules();
    };
    ScheduleMode->OnClick = [this](TObject*) {
        if (draft_ && !loadingEditor_)
            draft_->SetWindowLevel(ScheduleList->Selected(), LevelOf(ScheduleMode->Choice()));
        ShowWindows();
    };

    // Keyboard order follows reading order; the tabs are one stop the arrow
    // keys move within.
    constexpr int kTabGroup = 1;
    for (TPageTab* tab : {HotkeysTab, ProgramsTab, ScheduleTab}) {
        tab->SetTabStop(true);
        tab->SetTabGroup(kTabGroup);
    }
    for (int row = 0; row < kHotkeyRows; ++row)
        HotkeyOn[row]->SetTabStop(true);
    for (VtButtonTx* button : {BrowseButton, static_cast<VtButtonTx*>(ProgramMode), ProgramAdd, ProgramRemove,
                               static_cast<VtButtonTx*>(ScheduleMode), ScheduleAdd, ScheduleRemove, OkButton,
                               CancelButton})
        button->SetTabStop(true);
    for (TToggleButton* day : Day)
        day->SetTabStop(true);
    CloseButton->SetTabStop(true);
    SetDefaultButton(OkButton);
    SetFocusCuesFollowKeyboard(true);

    shape_.Attach(Background);
    flicker_.Attach(this);
    SetTexts(kelp::GetLanguageName());
    ShowTab(Tab::Hotkeys);
}

TAutomationForm::~TAutomationForm()
{
    flicker_.Detach();
    DoDestroy();
}

std::string TAutomationForm::ModeName(int level) const
{
    return IsModeLevel(level) ? Tr(LevelToNameKey(level)) : std::string();
}

void TAutomationForm::SetTexts(const std::string& language)
{
    Title->SetCaption(Tr(LANG_KEY("AutomationTitle")));
    HotkeysTab->SetCaption(Tr(LANG_KEY("AutomationHotkeysTab")));
    ProgramsTab->SetCaption(Tr(LANG_KEY("AutomationProgramsTab")));
    ScheduleTab->SetCaption(Tr(LANG_KEY("AutomationScheduleTab")));
    LayoutComponent<TLabel>(*this, "HotkeyModeHeading").SetCaption(Tr(LANG_KEY("AutomationColumnMode")));
    LayoutComponent<TLabel>(*this, "HotkeyKeysHeading").SetCaption(Tr(LANG_KEY("AutomationColumnKeys")));
    LayoutComponent<TLabel>(*this, "HotkeyActiveHeading").SetCaption(Tr(LANG_KEY("AutomationColumnActive")));
    LayoutComponent<TLabel>(*this, "HotkeyStateHeading").SetCaption(Tr(LANG_KEY("AutomationColumnState")));
    LayoutComponent<TLabel>(*this, "ProgramHeading").SetCaption(Tr(LANG_KEY("AutomationColumnProgram")));
    LayoutComponent<TLabel>(*this, "ProgramModeHeading").SetCaption(Tr(LANG_KEY("AutomationColumnMode")));
    LayoutComponent<TLabel>(*this, "DaysHeading").SetCaption(Tr(LANG_KEY("AutomationColumnDays")));
    LayoutComponent<TLabel>(*this, "FromHeading").SetCaption(Tr(LANG_KEY("AutomationColumnFrom")));
    LayoutComponent<TLabel>(*this, "ToHeading").SetCaption(Tr(LANG_KEY("AutomationColumnTo")));
    LayoutComponent<TLabel>(*this, "ScheduleModeHeading").SetCaption(Tr(LANG_KEY("AutomationColumnMode")));

    const ModifierNames modifiers{Tr(LANG_KEY("AutomationModifierCtrl")), Tr(LANG_KEY("AutomationModifierAlt")),
                                  Tr(LANG_KEY("AutomationModifierShift")), Tr(LANG_KEY("AutomationModifierWin"))};
    std::vector<TFont*> fonts = {&Title->Font(), &Message->Font(), &ProgramList->Font(), &ScheduleList->Font(),
                                 &ProgramBox->Font(), &FromBox->Font(), &ToBox->Font()};
    std::vector<TFont*> buttonFonts = {&HotkeysTab->Font(), &ProgramsTab->Font(), &ScheduleTab->Font(),
                                       &BrowseButton->Font(), &ProgramMode->Font(), &ProgramAdd->Font(),
                                       &ProgramRemove->Font(), &ScheduleMode->Font(), &ScheduleAdd->Font(),
                                       &ScheduleRemove->Font(), &OkButton->Font(), &CancelButton->Font()};
    for (int row = 0; row < kHotkeyRows; ++row) {
        const auto action = HotkeyAction(row);
        const std::string name = action == HotkeyAction::NextMode ? Tr(LANG_KEY("AutomationNextMode"))
                                                                   : ModeName(ActionLevel(action));
        HotkeyName[row]->SetCaption(name);
        HotkeyField[row]->SetWords(modifiers, Tr(LANG_KEY("AutomationNoKey")), Tr(LANG_KEY("AutomationPressKeys")));
        HotkeyField[row]->SetAccName([this, row] { return HotkeyName[row]->Caption() + ": " + Tr(LANG_KEY("AutomationColumnKeys")); });
        HotkeyOn[row]->SetStateCaptions(Tr(LANG_KEY("AutomationOn")), Tr(LANG_KEY("AutomationOff")));
        HotkeyOn[row]->SetAccName([this, row] { return HotkeyName[row]->Caption() + ": " + Tr(LANG_KEY("AutomationColumnActive")); });
        fonts.insert(fonts.end(), {&HotkeyName[row]->Font(), &HotkeyState[row]->Font(), &HotkeyField[row]->Font()});
        buttonFonts.push_back(&HotkeyOn[row]->Font());
    }
    for (int day = 0; day < kDays; ++day) {
        Day[day]->SetCaption(Tr(DayKey("AutomationDay", day).c_str()));
        const std::string key = DayKey("AutomationDayName", day);
        Day[day]->SetAccName([key] { return Tr(key.c_str()); });
        buttonFonts.push_back(&Day[day]->Font());
    }
    for (const char* heading : {"HotkeyModeHeading", "HotkeyKeysHeading", "HotkeyActiveHeading", "HotkeyStateHeading",
                                "ProgramHeading", "ProgramModeHeading", "DaysHeading", "FromHeading", "ToHeading",
                                "ScheduleModeHeading"})
        fonts.push_back(&LayoutComponent<TLabel>(*this, heading).Font());
    BrowseButton->SetCaption(Tr(LANG_KEY("AutomationBrowse")));
    ProgramAdd->SetCaption(Tr(LANG_KEY("AutomationAdd")));
    ProgramRemove->SetCaption(Tr(LANG_KEY("AutomationRemove")));
    ScheduleAdd->SetCaption(Tr(LANG_KEY("AutomationAdd")));
    ScheduleRemove->SetCaption(Tr(LANG_KEY("AutomationRemove")));
    OkButton->SetCaption(Tr(LANG_KEY("OK")));
    CancelButton->SetCaption(Tr(LANG_KEY("Cancel")));
    CloseButton->SetAccName([] { return Tr(LANG_KEY("CloseWindow")); });
    ProgramBox->SetAccName([] { return Tr(LANG_KEY("AutomationProgramBox")); });
    FromBox->SetAccName([] { return Tr(LANG_KEY("AutomationColumnFrom")); });
    ToBox->SetAccName([] { return Tr(LANG_KEY("AutomationColumnTo")); });
    ProgramMode->SetAccName([] { return Tr(LANG_KEY("AutomationColumnMode")); });
    ScheduleMode->SetAccName([] { return Tr(LANG_KEY("AutomationColumnMode")); });
    ProgramList->SetAccName([] { return Tr(LANG_KEY("AutomationProgramsTab")); });
    ScheduleList->SetAccName([] { return Tr(LANG_KEY("AutomationScheduleTab")); });
    std::vector<std::string> modes;
    for (int level : kChoiceLevels)
        modes.push_back(ModeName(level));
    ProgramMode->SetChoices(modes);
    ScheduleMode->SetChoices(modes);
    ProgramList->SetEmptyText(Tr(LANG_KEY("AutomationEmptyList")));
    ScheduleList->SetEmptyText(Tr(LANG_KEY("AutomationEmptyList")));

    fonts.insert(fonts.end(), buttonFonts.begin(), buttonFonts.end());
    dialogs::UseLanguageCharset(language, fonts);
    if (draft_) {
        ShowHotkeys();
        ShowRules();
        ShowWindows();
    }
    ShowMessageLine();
}

std::vector<TControl*> TAutomationForm::TabControls(Tab tab)
{
    std::vector<TControl*> controls;
    const auto add = [&](const char* name) { controls.push_back(&LayoutComponent<TControl>(*this, name)); };
    switch (tab) {
    case Tab::Hotkeys:
        for (const char* heading : {"HotkeyModeHeading", "HotkeyKeysHeading", "HotkeyActiveHeading", "HotkeyStateHeading"})
            add(heading);
        for (int row = 0; row < kHotkeyRows; ++row)
            controls.insert(controls.end(), {HotkeyName[row], HotkeyField[row], HotkeyOn[row], HotkeyState[row]});
        break;
    case Tab::Programs:
        add("ProgramHeading");
        add("ProgramModeHeading");
        controls.insert(controls.end(), {ProgramList, ProgramBox, BrowseButton, ProgramMode, ProgramAdd, ProgramRemove});
        break;
    case Tab::Schedule:
        for (const char* heading : {"DaysHeading", "FromHeading", "ToHeading", "ScheduleModeHeading"})
            add(heading);
        controls.insert(controls.end(), {ScheduleList, FromBox, ToBox, ScheduleMode, ScheduleAdd, ScheduleRemove});
        controls.insert(controls.end(), Day.begin(), Day.end());
        break;
    }
    return controls;
}

void TAutomationForm::ShowTab(Tab tab)
{
    tab_ = tab;
    for (Tab each : {Tab::Hotkeys, Tab::Programs, Tab::Schedule})
        for (TControl* control : TabControls(each))
            control->SetVisible(each == tab);
    HotkeysTab->SetChecked(tab == Tab::Hotkeys);
    ProgramsTab->SetChecked(tab == Tab::Programs);
    ScheduleTab->SetChecked(tab == Tab::Schedule);
    ShowMessageLine();
}

void TAutomationForm::FormShow(TObject*)
{
    if (TForm* main = Application().MainForm(); main && main != this) {
        const RECT host{main->Left(), main->Top(), main->Left() + main->Width(), main->Top() + main->Height()};
        const POINT place = cpuform::CentreOver(host, Width(), Height());
        SetBounds(place.x, place.y, Width(), Height());
    }
    // Each opening starts from what is stored.
    draft_ = std::make_unique<AutomationDraft>(host_ ? host_->Load() : AutomationSettings{});
    for (int row = 0; row < kHotkeyRows; ++row) {
        const Hotkey& hotkey = draft_->Settings().hotkeys[row];
        taken_[row] = host_ && hotkey.IsActive() && host_->IsTaken(HotkeyAction(row), hotkey);
    }
    ShowHotkeys();
    ShowRules();
    ProgramList->Select(draft_->Settings().rules.empty() ? -1 : 0);
    ShowWindows();
    ScheduleList->Select(draft_->Settings().windows.empty() ? -1 : 0);
    LoadRuleEditor();
    LoadWindowEditor();
    ShowTab(tab_);
    ForceForeground(Handle());
}

void TAutomationForm::ShowHotkeys()
{
    if (!draft_)
        return;
    for (int row = 0; row < kHotkeyRows; ++row) {
        const Hotkey& hotkey = draft_->Settings().hotkeys[row];
        HotkeyField[row]->SetCombination({hotkey.modifiers, hotkey.key});
        HotkeyField[row]->SetTaken(hotkey.enabled && taken_[row]);
        HotkeyOn[row]->SetChecked(hotkey.enabled);
        HotkeyOn[row]->SetEnabled(hotkey.key != 0);
        std::string state;
        TColor color = kSecondary;
        if (hotkey.problem != HotkeyProblem::None) {
            state = Tr(LANG_KEY("AutomationInvalid"));
            color = kDanger;
        } else if (hotkey.enabled && taken_[row]) {
            state = Tr(LANG_KEY("AutomationKeyTaken"));
            color = kDanger;
        } else if (hotkey.enabled) {
            state = Tr(LANG_KEY("AutomationKeyReady"));
        }
        HotkeyState[row]->Font().SetColor(color);
        HotkeyState[row]->SetCaption(state);
    }
}

void TAutomationForm::ShowRules()
{
    if (!draft_)
        return;
    std::vector<TRuleListRow> rows;
    for (const ProgramRule& rule : draft_->Settings().rules) {
        const char* problem = RuleProblemKey(rule.problem);
        rows.push_back({{rule.program, ModeName(rule.level)}, problem ? Tr(problem) : std::string()});
    }
    ProgramList->SetRows(std::move(rows));
    EnableEditors();
    ShowMessageLine();
}

void TAutomationForm::ShowWindows()
{
    if (!draft_)
        return;
    const std::array<std::string, 7> days = ShortDayNames();
    std::vector<TRuleListRow> rows;
    for (const ScheduleWindow& window : draft_->Settings().windows) {
        const char* problem = WindowProblemKey(window.problem);
        rows.push_back({{DaysText(window.days, days, Tr(LANG_KEY("AutomationEveryDay"))), TimeText(window.start),
                         TimeText(window.end), ModeName(window.level)},
                        problem ? Tr(problem) : std::string()});
    }
    ScheduleList->SetRows(std::move(rows));
    EnableEditors();
    ShowMessageLine();
}

void TAutomationForm::EnableEditors()
{
    const bool rule = ProgramList->Selected() >= 0;
    for (TControl* control : std::initializer_list<TControl*>{ProgramBox, BrowseButton, ProgramMode, ProgramRemove})
        control->SetEnabled(rule);
    const bool window = ScheduleList->Selected() >= 0;
    for (TControl* control : std::initializer_list<TControl*>{FromBox, ToBox, ScheduleMode, ScheduleRemove})
        control->SetEnabled(window);
    for (TToggleButton* day : Day)
        day->SetEnabled(window);
    // A full list takes no more.
    if (draft_) {
        ProgramAdd->SetEnabled(draft_->Settings().rules.size() < kMaxRules);
        ScheduleAdd->SetEnabled(draft_->Settings().windows.size() < kMaxWindows);
    }
}

void TAutomationForm::LoadRuleEditor()
{
    if (!draft_)
        return;
    loadingEditor_ = true;
    const int row = ProgramList->Selected();
    const auto& rules = draft_->Settings().rules;
    const ProgramRule* rule = row >= 0 && row < int(rules.size()) ? &rules[row] : nullptr;
    ProgramBox->SetValue(rule ? rule->program : std::string());
    ProgramMode->SetChoice(ChoiceOf(rule ? rule->level : GearLevel::HighPerformance));
    loadingEditor_ = false;
    EnableEditors();
    ShowMessageLine();
}

void TAutomationForm::LoadWindowEditor()
{
    if (!draft_)
        return;
    loadingEditor_ = true;
    const int row = ScheduleList->Selected();
    const auto& windows = draft_->Settings().windows;
    const ScheduleWindow* window = row >= 0 && row < int(windows.size()) ? &windows[row] : nullptr;
    for (int day = 0; day < kDays; ++day)
        Day[day]->SetChecked(window && (window->days & DayBit(day)));
    FromBox->SetValue(window ? TimeText(window->start) : std::string());
    ToBox->SetValue(window ? TimeText(window->end) : std::string());
    ScheduleMode->SetChoice(ChoiceOf(window ? window->level : GearLevel::HighPerformance));
    loadingEditor_ = false;
    EnableEditors();
    ShowMessageLine();
}

void TAutomationForm::ShowMessageLine()
{
    std::string text;
    bool problem = false;
    const auto explain = [&](const TRuleList& list, const char* hint) {
        const int row = list.Selected();
        const auto& rows = list.Rows();
        if (row >= 0 && row < int(rows.size()) && !rows[row].problem.empty()) {
            text = rows[row].problem;
            problem = true;
        } else if (std::any_of(rows.begin(), rows.end(), [](const TRuleListRow& r) { return !r.problem.empty(); })) {
            text = Tr(LANG_KEY("AutomationMarked"));
            problem = true;
        } else {
            text = Tr(hint);
        }
    };
    switch (tab_) {
    case Tab::Hotkeys:
        text = Tr(LANG_KEY("AutomationKeysHint"));
        if (draft_)
            for (const Hotkey& hotkey : draft_->Settings().hotkeys)
                if (hotkey.problem != HotkeyProblem::None) {
                    text = Tr(HotkeyProblemKey(hotkey.problem));
                    problem = true;
                    break;
                }
        break;
    case Tab::Programs:
        explain(*ProgramList, LANG_KEY("AutomationProgramsHint"));
        break;
    case Tab::Schedule:
        explain(*ScheduleList, LANG_KEY("AutomationScheduleHint"));
        break;
    }
    Message->Font().SetColor(problem ? kDanger : kSecondary);
    Message->SetCaption(text);
}

void TAutomationForm::ShowProblem(const std::string& text)
{
    Message->Font().SetColor(kDanger);
    Message->SetCaption(text);
}

void TAutomationForm::CombinationSet(int row, const KeyCombination& combination)
{
    if (!draft_)
        return;
    const auto action = HotkeyAction(row);
    draft_->SetCombination(action, combination.modifiers, combination.key);
    const Hotkey& hotkey = draft_->Settings().HotkeyFor(action);
    taken_[row] = host_ && hotkey.IsActive() && host_->IsTaken(action, hotkey);
    ShowHotkeys();
    ShowMessageLine();
}

void TAutomationForm::HotkeyToggled(int row)
{
    if (!draft_)
        return;
    draft_->SetHotkeyEnabled(HotkeyAction(row), HotkeyOn[row]->GetChecked());
    ShowHotkeys();
    ShowMessageLine();
}

void TAutomationForm::ProgramTyped()
{
    if (!draft_ || loadingEditor_)
        return;
    draft_->SetRuleProgram(ProgramList->Selected(), ProgramBox->Value());
    ShowRules();
}

void TAutomationForm::BrowseButtonClick()
{
    if (!host_ || !draft_)
        return;
    const std::optional<std::string> program = host_->AskProgram();
    if (!program)
        return;
    ProgramBox->SetValue(*program);
    draft_->SetRuleProgram(ProgramList->Selected(), *program);
    ShowRules();
}

void TAutomationForm::ProgramAddClick()
{
    if (!draft_)
        return;
    const int row = draft_->AddRule(NewEntryLevel(*ProgramMode));
    ShowRules();
    ProgramList->Select(row);
    ProgramBox->SetFocus();
}

void TAutomationForm::ProgramRemoveClick()
{
    if (!draft_ || ProgramList->Selected() < 0)
        return;
    const int next = draft_->RemoveRule(ProgramList->Selected());
    ShowRules();
    ProgramList->Select(next);
    LoadRuleEditor();
}

void TAutomationForm::DayToggled()
{
    if (!draft_ || loadingEditor_)
        return;
    uint8_t days = 0;
    for (int day = 0; day < kDays; ++day)
        if (Day[day]->GetChecked())
            days |= DayBit(day);
    draft_->SetWindowDays(ScheduleList->Selected(), days);
    ShowWindows();
}

void TAutomationForm::TimeTyped(bool start)
{
    if (!draft_ || loadingEditor_)
        return;
    const int row = ScheduleList->Selected();
    if (start)
        draft_->SetWindowStart(row, ParseTime(FromBox->Value()));
    else
        draft_->SetWindowEnd(row, ParseTime(ToBox->Value()));
    ShowWindows();
}

void TAutomationForm::ScheduleAddClick()
{
    if (!draft_)
        return;
    const int row = draft_->AddWindow(NewEntryLevel(*ScheduleMode));
    ShowWindows();
    ScheduleList->Select(row);
    FromBox->SetFocus();
}

void TAutomationForm::ScheduleRemoveClick()
{
    if (!draft_ || ScheduleList->Selected() < 0)
        return;
    const int next = draft_->RemoveWindow(ScheduleList->Selected());
    ShowWindows();
    ScheduleList->Select(next);
    LoadWindowEditor();
}

void TAutomationForm::OkButtonClick()
{
    if (!draft_)
        return;
    if (const std::optional<DraftProblem> problem = draft_->FirstProblem()) {
        // Nothing is stored: the page shows the entry and what is wrong.
        ShowTab(problem->tab);
        if (problem->tab == Tab::Programs)
            ProgramList->Select(problem->row);
        else if (problem->tab == Tab::Schedule)
            ScheduleList->Select(problem->row);
        ShowProblem(Tr(problem->messageKey));
        return;
    }
    if (host_ && !host_->Save(draft_->Settings())) {
        ShowProblem(Tr(LANG_KEY("AutomationSaveFailed")));
        return;
    }
    draft_.reset();
    Hide();
}

void TAutomationForm::Discard()
{
    draft_.reset();
    Hide();
}

bool TAutomationForm::DialogKey(WORD key, TWinControl& from)
{
    if (key == VK_ESCAPE) {
        Discard();
        return true;
    }
    return TForm::DialogKey(key, from);
}
