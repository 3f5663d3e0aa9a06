#include "app/MainHistory.h"

#include "engine/CpuPowerMonitor.h"
#include "framework/FileDialog.h"
#include "framework/TApplication.h"
#include "framework/layout/LayoutReader.h"
#include "kelp/System/Language.h"
#include "screens/dialogs/DialogService.h"
#include "screens/history/THistoryForm.h"

namespace {

class MainHistoryHost final : public historyview::HistoryViewHost {
public:
    const std::vector<history::DayRecord>& Days() override { return Ledger().History().Days(); }
    int Today() override { return SavingsLedger::LocalToday(); }
    bool ConfirmClear() override { return DialogService::Instance().ConfirmClearHistory() == 1; }
    void Clear() override { Ledger().Clear(); }
    std::optional<std::string> AskExportPath() override
    {
        // Owned by the history window, which is the active one at its Export click.
        return AskSavePath(GetActiveWindow(), {kelp::Translate("HistoryCsvFiles"), "csv", "pellix-history.csv"});
    }
    void ExportFailed() override { DialogService::Instance().Notice(kelp::Translate("HistoryExportFailed")); }
    // The factor in mg per Wh is the same number as in g per kWh.
    double Co2PerKilowattHour() override { return Ledger().Co2PerWattHour(); }
    void SetCo2PerKilowattHour(int grams) override { Ledger().SetCo2PerWattHour(grams); }
    void ResetCo2PerKilowattHour() override { Ledger().ResetCo2PerWattHour(); }
    bool IsFactorManaged() override { return SavingsLedger::IsFactorManaged(); }

private:
    static SavingsLedger& Ledger() { return CpuPowerMonitor::Instance().Ledger(); }
};

void ShowHistoryWindow()
{
    static MainHistoryHost host;
    static THistoryForm* form = [] {
        THistoryForm* created = Application().CreateForm<THistoryForm>();
        created->SetHost(&host);
        return created;
    }();
    form->Show();
}

} // namespace

void AttachHistoryButton(TForm& mainWindow)
{
    LayoutComponent<VtButton>(mainWindow, "HistoryButton").OnClick = [](TObject*) { ShowHistoryWindow(); };
}
