// Picture program for the savings history window: 30 days, 12 weeks and
// 12 months of a sample history, the 30 days with the real pointer on a
// bar, and the emission factor an organisation's policy sets. Before each picture it prints "shot <name>" and waits for the
// screenshot script to leave "<name>.done".

#include "screens/history/ChartGeometry.h"
#include "screens/history/THistoryForm.h"
#include "tests/history/HistoryRig.h"
#include "tests/support/MessagePump.h"

int main()
{
    historytest::FakeHost host;
    host.days = historytest::SampleDays(420);
    THistoryForm* form = Application().CreateForm<THistoryForm>();
    form->SetHost(&host);
    form->SetBounds(40, 30, form->Width(), form->Height());
    SetCursorPos(1000, 740);
    form->Show();
    ShotWhenAsked("days");
    form->WeeksButton->Click();
    ShotWhenAsked("weeks");
    form->MonthsButton->Click();
    ShotWhenAsked("months");
    form->DaysButton->Click();
    // The pointer on the third bar from the right.
    const historyview::ChartGeometry geometry(form->Chart->Width(), form->Chart->Height(), 30);
    const RECT column = geometry.Column(27);
    POINT at{form->Chart->Left() + (column.left + column.right) / 2, form->Chart->Top() + column.bottom - 20};
    ClientToScreen(form->Handle(), &at);
    SetCursorPos(at.x, at.y);
    ShotWhenAsked("hover");
    // The organisation's emission factor: the box read-only and dimmed, the
    // reason in the tool-tip of its title.
    host.factorManaged = true;
    host.factor = 380;
    form->Hide();
    form->Show();
    POINT title{form->FactorTitle->Left() + 10, form->FactorTitle->Top() + form->FactorTitle->Height() / 2};
    ClientToScreen(form->Handle(), &title);
    SetCursorPos(title.x, title.y);
    PumpFor(100);
    SetCursorPos(title.x + 2, title.y);
    PumpFor(1500);
    ShotWhenAsked("managed-factor");
    return 0;
}
