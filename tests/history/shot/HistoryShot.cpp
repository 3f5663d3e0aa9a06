// Picture program for the savings history window: 30 days, 12 weeks and
// 12 months of a sample history, and the 30 days with the real pointer on a
// bar. Before each picture it prints "shot <name>" and waits for the
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
    return 0;
}
