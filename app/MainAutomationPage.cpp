#include "app/MainAutomationPage.h"

#include "automation/AutomationService.h"
#include "automation/AutomationStore.h"
#include "framework/FileDialog.h"
#include "framework/TApplication.h"
#include "framework/layout/LayoutReader.h"
#include "kelp/System/Language.h"
#include "screens/automation/TAutomationForm.h"

#include "VtPackage/VtButton.h"

namespace {

class MainAutomationHost final : public automationpage::AutomationPageHost {
public:
    automation::AutomationSettings Load() override
    {
        const automation::AutomationService* service = automation::Automation();
        return service ? service->Settings() : automation::AutomationStore::Load();
    }
    bool Save(const automation::AutomationSettings& settings) override
    {
        // Through the running automation, which also puts them in force.
        automation::AutomationService* service = automation::Automation();
        return service ? service->Commit(settings) : automation::AutomationStore::Save(settings);
    }
    bool IsTaken(automation::HotkeyAction action, const automation::Hotkey& hotkey) override
    {
        automation::AutomationService* service = automation::Automation();
        if (!service)
            return false;
        // The combination in force for the action has its own state, unless
        // the program let go of its hotkeys; any other is tried now.
        const automation::Hotkey& inForce = service->Settings().HotkeyFor(action);
        if (!suspended_ && inForce.IsActive() && inForce.SameCombination(hotkey))
            return service->StateOf(action) == automation::HotkeyState::Taken;
        return service->Probe(hotkey) == automation::HotkeyState::Taken;
    }
    void SuspendHotkeys(bool suspended) override
    {
        suspended_ = suspended;
        if (automation::AutomationService* service = automation::Automation())
            service->SuspendHotkeys(suspended);
    }
    std::optional<std::string> AskProgram() override
    {
        // Owned by the page, which is the active window at its Browse click.
        return AskOpenPath(GetActiveWindow(), {kelp::Translate("AutomationProgramFiles"), "exe", ""});
    }

private:
    bool suspended_ = false;
};

} // namespace

void ShowAutomationPage()
{
    static MainAutomationHost host;
    static TAutomationForm* form = [] {
        TAutomationForm* created = Application().CreateForm<TAutomationForm>();
        created->SetHost(&host);
        return created;
    }();
    if (form->Visible()) {
        // Already open: brought forward with the edits it has.
        SetForegroundWindow(form->Handle());
        return;
    }
    form->Show();
}

void AttachAutomationButton(TForm& mainWindow)
{
    LayoutComponent<VtButton>(mainWindow, "AutomationButton").OnClick = [](TObject*) { ShowAutomationPage(); };
}
