// What the skinned controls tell screen readers: radio buttons and check
// boxes report their marks and announce changes of them, and the default
// action is a click, gone with the clicks when they are switched off.

#include "VtPackage/VtButton.h"
#include "VtPackage/VtCheckBox.h"
#include "VtPackage/VtRadioButton.h"
#include "VtTestSupport.h"

#include <utility>
#include <vector>

using namespace vttest;

namespace {

// The WinEvents this process raises while it lives, as (event, window).
class EventRecorder {
public:
    EventRecorder()
    {
        s_events.clear();
        m_hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_STATECHANGE, nullptr, Record, GetCurrentProcessId(), 0,
                                 WINEVENT_OUTOFCONTEXT);
    }
    ~EventRecorder() { UnhookWinEvent(m_hook); }
    EventRecorder(const EventRecorder&) = delete;
    EventRecorder& operator=(const EventRecorder&) = delete;

    // The events so far, once the loop has delivered them.
    std::vector<std::pair<DWORD, HWND>> Take()
    {
        PumpFor(100);
        return std::exchange(s_events, {});
    }

private:
    static void CALLBACK Record(HWINEVENTHOOK, DWORD event, HWND window, LONG, LONG, DWORD, DWORD)
    {
        if (event == EVENT_OBJECT_STATECHANGE || event == EVENT_OBJECT_SELECTION)
            s_events.emplace_back(event, window);
    }
    static inline std::vector<std::pair<DWORD, HWND>> s_events;
    HWINEVENTHOOK m_hook;
};

using VtAccessibleTest = FormTest;

} // namespace

TEST_F(VtAccessibleTest, RadioButtonsReportTheirMarkAndAnnounceOnlyRealChanges)
{
    auto& first = Place<VtRadioButton>(10, 10);
    auto& second = Place<VtRadioButton>(40, 10);
    EXPECT_EQ(first.AccRole(), TAccRole::RadioButton);
    EventRecorder events;

    first.SetChecked(true);
    using Events = std::vector<std::pair<DWORD, HWND>>;
    EXPECT_EQ(events.Take(), (Events{{EVENT_OBJECT_STATECHANGE, first.Handle()}, {EVENT_OBJECT_SELECTION, first.Handle()}}));
    EXPECT_EQ(first.AccState() & (asChecked | asSelected), asChecked | asSelected);
    first.SetChecked(true);
    EXPECT_TRUE(events.Take().empty()) << "checked again is no change";

    second.SetChecked(true);
    EXPECT_EQ(events.Take(), (Events{{EVENT_OBJECT_STATECHANGE, first.Handle()},
                                     {EVENT_OBJECT_STATECHANGE, second.Handle()},
                                     {EVENT_OBJECT_SELECTION, second.Handle()}}))
        << "the sibling's unchecking is announced before the new choice";
    EXPECT_EQ(first.AccState() & (asChecked | asSelected), 0u);
    EXPECT_EQ(first.AccDefaultAction(), TAccAction::Select);
}

TEST_F(VtAccessibleTest, CheckBoxReadsItsThreeStatesAndItsActionFollowsTheMark)
{
    auto& box = Place<VtCheckBox>(10, 10);
    EXPECT_EQ(box.AccDefaultAction(), TAccAction::Check);
    box.SetState(TCheckBoxState::Grayed);
    EXPECT_EQ(box.AccState() & (asChecked | asMixed), asMixed);
    box.SetState(TCheckBoxState::Checked);
    EXPECT_EQ(box.AccState() & (asChecked | asMixed), asChecked);
    EXPECT_EQ(box.AccDefaultAction(), TAccAction::Uncheck);
}

TEST_F(VtAccessibleTest, DefaultActionClicksLaterAndGoesWithTheClicks)
{
    auto& button = Place<VtButton>(10, 10);
    button.SetModalResult(mrOk);
    int clicks = 0;
    button.OnClick = [&](TObject*) { ++clicks; };
    EXPECT_EQ(button.AccRole(), TAccRole::PushButton);
    ASSERT_TRUE(button.AccDoDefaultAction());
    EXPECT_EQ(clicks, 0);
    PumpMessages();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form.ModalResult(), mrOk) << "as a click, it answers the form";

    button.SetClicksDisabled(true);
    EXPECT_EQ(button.AccDefaultAction(), TAccAction::None);
    EXPECT_FALSE(button.AccDoDefaultAction());
    button.SetClicksDisabled(false);
    button.SetEnabled(false);
    EXPECT_TRUE(button.AccState() & asUnavailable);
    EXPECT_FALSE(button.AccDoDefaultAction());
}
