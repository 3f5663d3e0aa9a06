// Picture program for the automation page: the hotkeys (one held by another
// program), the programs with the invalid entry chosen, and the schedule
// with its overlapping window chosen. Before each picture it prints
// "shot <name>" and waits for the screenshot script to leave "<name>.done".

#include "screens/automation/TAutomationForm.h"
#include "tests/automationpage/AutomationRig.h"
#include "tests/support/MessagePump.h"

int main()
{
    automationtest::FakeHost host;
    TAutomationForm* form = Application().CreateForm<TAutomationForm>();
    form->SetHost(&host);
    form->SetBounds(40, 30, form->Width(), form->Height());
    SetCursorPos(1000, 740);
    form->Show();
    ShotWhenAsked("hotkeys");
    form->ProgramsTab->Click();
    form->ProgramList->Select(2);
    ShotWhenAsked("programs");
    form->ScheduleTab->Click();
    form->ScheduleList->Select(2);
    ShotWhenAsked("schedule");
    return 0;
}
