// The automation page on its real layout and artwork over a scripted host:
// what it shows of the stored settings, the capture of a combination with
// the keyboard, OK held back by entries that are not valid, and nothing
// stored on Cancel or Escape.

#include "kelp/System/Language.h"
#include "screens/automation/TAutomationForm.h"
#include "tests/automationpage/AutomationRig.h"
#include "tests/support/MessagePump.h"

#include <gtest/gtest.h>

using namespace automation;
using namespace automationpage;
using namespace automationtest;

namespace {

constexpr TColor kDanger = 0x003E50E0;

struct FormRig {
    FormRig()
    {
        form = Application().CreateForm<TAutomationForm>();
        form->SetHost(&host);
        form->Show();
        PumpFor(50);
    }
    ~FormRig()
    {
        form->Hide();
        PressOnly({});
    }
    // The keyboard's state as the system reports it to the program.
    static void PressOnly(std::initializer_list<int> keys)
    {
        BYTE state[256] = {};
        for (int key : keys)
            state[key] = 0x80;
        SetKeyboardState(state);
    }
    // Types into a text box as the user would: its edit reports the change.
    static void Type(TTextBox& box, const std::string& text)
    {
        SendMessageA(GetWindow(box.Handle(), GW_CHILD), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    FakeHost host;
    TAutomationForm* form = nullptr;
};

std::string T(const char* key)
{
    return kelp::Translate(key);
}

} // namespace

TEST(AutomationForm, ShowsTheStoredSettingsWithTakenAndInvalidEntries)
{
    FormRig rig;
    TAutomationForm& form = *rig.form;
    EXPECT_EQ(form.CurrentTab(), Tab::Hotkeys);
    EXPECT_EQ(form.HotkeyName[0]->Caption(), T("GearNameL1"));
    EXPECT_EQ(form.HotkeyName[5]->Caption(), T("AutomationNextMode"));
    EXPECT_EQ(form.HotkeyField[0]->ShownText(), "Ctrl+Alt+T");
    EXPECT_EQ(form.HotkeyField[5]->ShownText(), "Shift+Win+F8");
    EXPECT_EQ(form.HotkeyField[1]->ShownText(), T("AutomationNoKey"));
    EXPECT_EQ(form.HotkeyState[0]->Caption(), T("AutomationKeyReady"));
    EXPECT_EQ(form.HotkeyState[3]->Caption(), T("AutomationKeyTaken")) << "Ctrl+Alt+M is held elsewhere";
    EXPECT_EQ(form.HotkeyState[3]->Font().Color(), kDanger);
    EXPECT_TRUE(form.HotkeyField[3]->Taken());
    EXPECT_TRUE(form.HotkeyOn[0]->GetChecked());
    EXPECT_FALSE(form.HotkeyOn[1]->Enabled()) << "nothing to switch on without a key";
    EXPECT_TRUE(form.HotkeyField[0]->Showing());
    EXPECT_FALSE(form.ProgramList->Showing());

    form.ProgramsTab->Click();
    EXPECT_EQ(form.CurrentTab(), Tab::Programs);
    EXPECT_TRUE(form.ProgramList->Showing());
    EXPECT_FALSE(form.HotkeyField[0]->Showing());
    const auto& rules = form.ProgramList->Rows();
    ASSERT_EQ(rules.size(), 3u);
    EXPECT_EQ(rules[0].cells, (std::vector<std::string>{"render.exe", T("GearNameL1")}));
    EXPECT_TRUE(rules[0].problem.empty());
    EXPECT_EQ(rules[2].problem, T("AutomationProgramBad"));
    EXPECT_EQ(form.ProgramList->Selected(), 0);
    EXPECT_EQ(form.ProgramBox->Value(), "render.exe") << "the chosen entry is in the editor";
    EXPECT_EQ(form.Message->Caption(), T("AutomationMarked"));
    form.ProgramList->Select(2);
    EXPECT_EQ(form.Message->Caption(), T("AutomationProgramBad"));

    form.ScheduleTab->Click();
    const auto& windows = form.ScheduleList->Rows();
    ASSERT_EQ(windows.size(), 3u);
    EXPECT_EQ(windows[1].cells, (std::vector<std::string>{T("AutomationEveryDay"), "23:00", "06:00", T("GearNameL4")}));
    EXPECT_EQ(windows[2].problem, T("AutomationOverlaps"));
    EXPECT_EQ(form.FromBox->Value(), "09:00");
    EXPECT_TRUE(form.Day[0]->GetChecked());
    EXPECT_FALSE(form.Day[5]->GetChecked()) << "Saturday";
}

TEST(AutomationForm, AKeyCombinationIsCapturedAndATakenOneShownAtOnce)
{
    FormRig rig;
    TAutomationForm& form = *rig.form;
    THotkeyField& field = *form.HotkeyField[1];
    field.SetFocus();
    PumpFor(20);
    EXPECT_EQ(field.ShownText(), T("AutomationPressKeys"));
    EXPECT_TRUE(rig.host.suspended) << "the program's own hotkeys let go while a field listens";
    rig.host.taken.insert({kModControl | kModShift, 'H'});
    FormRig::PressOnly({VK_CONTROL, VK_SHIFT});
    field.Perform(WM_KEYDOWN, VK_CONTROL, 0);
    EXPECT_EQ(field.ShownText(), "Ctrl+Shift+");
    field.Perform(WM_KEYDOWN, 'H', 0);
    FormRig::PressOnly({});
    EXPECT_EQ(field.ShownText(), "Ctrl+Shift+H");
    EXPECT_TRUE(form.HotkeyOn[1]->GetChecked()) << "a combination set is switched on";
    EXPECT_EQ(form.HotkeyState[1]->Caption(), T("AutomationKeyTaken"));
    const Hotkey& high = form.Draft()->Settings().HotkeyFor(HotkeyAction::HighPerformance);
    EXPECT_EQ(high.modifiers, uint32_t(kModControl | kModShift));
    EXPECT_EQ(high.key, uint32_t('H'));

    // A letter alone is refused; Backspace empties the field and switches it off.
    field.Perform(WM_KEYDOWN, 'Q', 0);
    EXPECT_EQ(form.Message->Caption(), T("AutomationKeyNeedsModifier"));
    EXPECT_EQ(field.ShownText(), "Ctrl+Shift+H");
    field.Perform(WM_KEYDOWN, VK_BACK, 0);
    EXPECT_FALSE(form.Draft()->Settings().HotkeyFor(HotkeyAction::HighPerformance).enabled);
    EXPECT_EQ(form.HotkeyState[1]->Caption(), "");

    // The combination the program already holds for Turbo is its own, not
    // taken; given to the next mode too it is a duplicate.
    FormRig::PressOnly({VK_CONTROL, VK_MENU});
    form.HotkeyField[4]->Perform(WM_KEYDOWN, 'T', 0);
    FormRig::PressOnly({});
    EXPECT_EQ(form.HotkeyState[4]->Caption(), T("AutomationInvalid"));
    EXPECT_EQ(form.Message->Caption(), T("AutomationKeyTwice"));

    // Tab leaves the field for the next stop in reading order.
    form.HotkeyField[0]->SetFocus();
    form.HotkeyField[0]->Perform(WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), form.HotkeyOn[0]->Handle());
    EXPECT_FALSE(rig.host.suspended) << "and come back when it no longer does";
    EXPECT_EQ(rig.host.saves, 0) << "nothing is stored before OK";
}

TEST(AutomationForm, OkStoresOnlyOnceEveryEntryIsValid)
{
    FormRig rig;
    TAutomationForm& form = *rig.form;
    form.OkButton->Click();
    EXPECT_EQ(rig.host.saves, 0);
    EXPECT_EQ(form.CurrentTab(), Tab::Programs) << "the page shows the first entry that is not valid";
    EXPECT_EQ(form.ProgramList->Selected(), 2);
    EXPECT_EQ(form.Message->Caption(), T("AutomationProgramBad"));
    EXPECT_EQ(form.Message->Font().Color(), kDanger);

    // Corrected by typing, with another mode.
    FormRig::Type(*form.ProgramBox, "C:\\Tools\\name.exe");
    form.ProgramMode->Click();
    EXPECT_TRUE(form.ProgramList->Rows()[2].problem.empty());
    EXPECT_EQ(form.ProgramList->Rows()[2].cells[1], T("GearNameL0"));
    form.OkButton->Click();
    EXPECT_EQ(rig.host.saves, 0);
    EXPECT_EQ(form.CurrentTab(), Tab::Schedule);
    EXPECT_EQ(form.ScheduleList->Selected(), 2);

    // The overlapping window is removed, a new one added for the weekend.
    form.ScheduleRemove->Click();
    form.ScheduleAdd->Click();
    ASSERT_EQ(form.ScheduleList->Selected(), 2);
    EXPECT_NE(form.ScheduleList->Rows()[2].problem, "") << "the working days' default overlaps the first window";
    for (int day = 0; day < 5; ++day)
        form.Day[day]->Click();
    form.Day[5]->Click();
    FormRig::Type(*form.FromBox, "10:00");
    FormRig::Type(*form.ToBox, "1:0");
    EXPECT_EQ(form.ScheduleList->Rows()[2].problem, T("AutomationBadTime"));
    FormRig::Type(*form.ToBox, "12:00");
    form.OkButton->Click();
    ASSERT_EQ(rig.host.saves, 1);
    EXPECT_FALSE(form.Visible());
    const AutomationSettings& stored = rig.host.stored;
    EXPECT_EQ(stored.rules[2].program, "C:\\Tools\\name.exe");
    EXPECT_EQ(stored.rules[2].level, GearLevel::Auto);
    ASSERT_EQ(stored.windows.size(), 3u);
    EXPECT_EQ(stored.windows[2].days, 0x40) << "Saturday";
    EXPECT_EQ(stored.windows[2].start, 10 * 60);
    EXPECT_EQ(stored.windows[2].end, 12 * 60);
}

TEST(AutomationForm, CancelAndEscapeStoreNothingAndTheNextOpeningStartsAgain)
{
    FormRig rig;
    TAutomationForm& form = *rig.form;
    form.ProgramsTab->Click();
    form.ProgramRemove->Click();
    EXPECT_EQ(form.ProgramList->Rows().size(), 2u);
    form.CancelButton->Click();
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(rig.host.saves, 0);

    form.Show();
    PumpFor(20);
    EXPECT_EQ(form.ProgramList->Rows().size(), 3u) << "the removal went with Cancel";
    form.ProgramRemove->Click();
    form.ProgramList->SetFocus();
    form.ProgramList->Perform(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(rig.host.saves, 0);

    // A store that fails keeps the page open with the edits.
    rig.host.saveFails = true;
    rig.host.stored.rules.pop_back();
    rig.host.stored.windows.pop_back();
    form.Show();
    PumpFor(20);
    form.OkButton->Click();
    EXPECT_EQ(rig.host.saves, 1);
    EXPECT_TRUE(form.Visible());
    EXPECT_EQ(form.Message->Caption(), T("AutomationSaveFailed"));
}

// The text box's keys: Tab moves on in reading order, Escape drops the
// page, as from any other control.
TEST(AutomationForm, TabAndEscapeTypedInATextBoxGoToTheForm)
{
    FormRig rig;
    TAutomationForm& form = *rig.form;
    form.ProgramsTab->Click();
    form.ProgramBox->SetFocus();
    const HWND edit = GetWindow(form.ProgramBox->Handle(), GW_CHILD);
    ASSERT_EQ(GetFocus(), edit);
    SendMessageA(edit, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), form.BrowseButton->Handle());
    form.ProgramBox->SetFocus();
    FormRig::Type(*form.ProgramBox, "changed.exe");
    SendMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(rig.host.saves, 0);
    EXPECT_EQ(rig.host.stored.rules[0].program, "render.exe");
}

TEST(AutomationForm, ThePageTellsScreenReadersWhatEachControlIs)
{
    FormRig rig;
    TAutomationForm& form = *rig.form;
    EXPECT_EQ(form.HotkeyField[0]->AccRole(), TAccRole::HotkeyField);
    EXPECT_EQ(form.HotkeyField[0]->AccName(), T("GearNameL1") + ": " + T("AutomationColumnKeys"));
    EXPECT_EQ(form.HotkeyField[0]->AccValue(), "Ctrl+Alt+T");
    EXPECT_EQ(form.HotkeyOn[0]->AccRole(), TAccRole::CheckBox);
    EXPECT_TRUE(form.HotkeyOn[0]->AccState() & asChecked);
    EXPECT_EQ(form.HotkeysTab->AccRole(), TAccRole::PageTab);
    EXPECT_TRUE(form.HotkeysTab->AccState() & asSelected);
    EXPECT_FALSE(form.ProgramsTab->AccState() & asSelected);
    EXPECT_EQ(form.ProgramBox->AccRole(), TAccRole::EditableText);
    EXPECT_EQ(form.ProgramMode->AccRole(), TAccRole::ComboBox);
    EXPECT_EQ(form.ProgramMode->AccValue(), T("GearNameL1"));
    EXPECT_EQ(form.Day[6]->AccName(), T("AutomationDayName7"));
    form.ProgramsTab->Click();
    const std::vector<TAccessible*> items = form.ProgramList->AccChildren();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0]->AccRole(), TAccRole::ListItem);
    EXPECT_EQ(items[0]->AccName(), "render.exe, " + T("GearNameL1"));
    EXPECT_TRUE(items[0]->AccState() & asSelected);
    EXPECT_EQ(items[2]->AccDescription(), T("AutomationProgramBad"));
}
