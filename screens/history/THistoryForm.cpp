#include "screens/history/THistoryForm.h"

#include "app/ForceForeground.h"
#include "VtPackage/VtRegistration.h"
#include "engine/SavingsCsv.h"
#include "framework/TApplication.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/layout/LayoutReader.h"
#include "kelp/System/Language.h"
#include "screens/cpuform/CentreOver.h"
#include "screens/dialogs/DialogFonts.h"
#include "screens/history/CsvFile.h"
#include "screens/history/HistoryFigures.h"

namespace {

// The chosen period's caption is lit in the accent colour.
constexpr TColor kAccent = 0x00F7C34F;
constexpr TColor kCaption = 0x00F0EAE6;
// The factor's box is a display well with the option faces' text colour.
constexpr TColor kWell = 0x00110D0A;
constexpr TColor kFactorText = 0x00FEFCF4;
constexpr TColor kManagedFactorText = 0x00808080;

void RegisterChart()
{
    TClassRegistry& registry = TClassRegistry::Instance();
    if (!registry.Find("THistoryChart"))
        registry.Register<historyview::HistoryChart>("THistoryChart", "TControl");
}

std::string Translated(const char* key)
{
    return kelp::Translate(key);
}

} // namespace

THistoryForm::THistoryForm(TComponent* owner) : TForm(owner)
{
    RegisterVtComponents();
    RegisterChart();
    THandlerTable handlers;
    handlers.Publish<TNotifyEvent>("FormShow", [this](TObject* sender) { FormShow(sender); });
    handlers.Publish<TNotifyEvent>("CloseButtonClick", [this](TObject*) { Hide(); });
    handlers.Publish<TNotifyEvent>("DaysButtonClick", [this](TObject*) { ShowPeriod(history::Period::Days); });
    handlers.Publish<TNotifyEvent>("WeeksButtonClick", [this](TObject*) { ShowPeriod(history::Period::Weeks); });
    handlers.Publish<TNotifyEvent>("MonthsButtonClick", [this](TObject*) { ShowPeriod(history::Period::Months); });
    handlers.Publish<TNotifyEvent>("ExportButtonClick", [this](TObject* sender) { ExportButtonClick(sender); });
    handlers.Publish<TNotifyEvent>("ClearButtonClick", [this](TObject* sender) { ClearButtonClick(sender); });
    ReadOwnFormLayout(*this, handlers);
    Background = &LayoutComponent<TImage>(*this, "Background");
    Title = &LayoutComponent<TLabel>(*this, "Title");
    Figures = &LayoutComponent<TLabel>(*this, "Figures");
    Totals = &LayoutComponent<TLabel>(*this, "Totals");
    Chart = &LayoutComponent<historyview::HistoryChart>(*this, "Chart");
    DaysButton = &LayoutComponent<VtButtonTx>(*this, "DaysButton");
    WeeksButton = &LayoutComponent<VtButtonTx>(*this, "WeeksButton");
    MonthsButton = &LayoutComponent<VtButtonTx>(*this, "MonthsButton");
    ExportButton = &LayoutComponent<VtButtonTx>(*this, "ExportButton");
    ClearButton = &LayoutComponent<VtButtonTx>(*this, "ClearButton");
    CloseButton = &LayoutComponent<VtButton>(*this, "CloseButton");
    FactorTitle = &LayoutComponent<TLabel>(*this, "FactorTitle");
    FactorPlace = &LayoutComponent<TLabel>(*this, "FactorPlace");
    FactorUnit = &LayoutComponent<TLabel>(*this, "FactorUnit");
    factorWell_.SetColor(kWell);

    Chart->OnHover = [this](int bar) { ShowFigures(bar); };
    // Off the chart, no bar is lit.
    Background->OnMouseMove = [this](TObject*, TShiftState, int, int) { Chart->SetHovered(-1); };
    shape_.Attach(Background);
    flicker_.Attach(this);
    SetTexts(kelp::GetLanguageName());
}

THistoryForm::~THistoryForm()
{
    flicker_.Detach();
    DoDestroy();
}

void THistoryForm::SetTexts(const std::string& language)
{
    Title->SetCaption(Translated("HistoryTitle"));
    DaysButton->SetCaption(Translated("History30Days"));
    WeeksButton->SetCaption(Translated("History12Weeks"));
    MonthsButton->SetCaption(Translated("History12Months"));
    ExportButton->SetCaption(Translated("HistoryExport"));
    ClearButton->SetCaption(Translated("HistoryClear"));
    Chart->SetEmptyText(Translated("HistoryEmpty"));
    Chart->SetLegend({Translated("HistoryMaxSaving"), Translated("HistoryMediumSaving"), Translated("GearNameL0")});
    FactorTitle->SetCaption(Translated("HistoryFactor"));
    FactorUnit->SetCaption(Translated("HistoryFactorUnit"));
    dialogs::UseLanguageCharset(language, {&Title->Font(), &Figures->Font(), &Totals->Font(), &DaysButton->Font(),
                                           &WeeksButton->Font(), &MonthsButton->Font(), &ExportButton->Font(),
                                           &ClearButton->Font(), &Chart->TextFont(), &FactorTitle->Font(),
                                           &FactorUnit->Font()});
    ShowFigures(Chart->Hovered());
}

void THistoryForm::ShowPeriod(history::Period period)
{
    period_ = period;
    MarkPeriodButtons();
    if (!host_)
        return;
    const std::vector<history::Bar> bars = history::Bars(host_->Days(), host_->Today(), period);
    Totals->SetCaption(Translated("HistoryTotal") + historyview::kFiguresGap + historyview::Amounts(history::Total(bars), Translated));
    Chart->SetBars(bars, period);
    ShowFigures(-1);
}

void THistoryForm::MarkPeriodButtons()
{
    const std::pair<VtButtonTx*, history::Period> buttons[] = {
        {DaysButton, history::Period::Days}, {WeeksButton, history::Period::Weeks}, {MonthsButton, history::Period::Months}};
    for (auto [button, period] : buttons)
        button->Font().SetColor(period == period_ ? kAccent : kCaption);
    for (auto [button, period] : buttons)
        button->Invalidate();
}

void THistoryForm::ShowFigures(int bar)
{
    const std::vector<history::Bar>& bars = Chart->Bars();
    if (bar >= 0 && bar < int(bars.size()))
        Figures->SetCaption(historyview::FiguresLine(bars[bar], Translated));
    else if (!bars.empty())
        Figures->SetCaption(historyview::SpanText(history::Total(bars)) + historyview::kFiguresGap + Translated("HistoryPointAtBar"));
    else
        Figures->SetCaption(Translated("HistoryPointAtBar"));
}

void THistoryForm::FormShow(TObject*)
{
    if (TForm* main = Application().MainForm(); main && main != this) {
        const RECT host{main->Left(), main->Top(), main->Left() + main->Width(), main->Top() + main->Height()};
        const POINT place = cpuform::CentreOver(host, Width(), Height());
        SetBounds(place.x, place.y, Width(), Height());
    }
    const RECT place{FactorPlace->Left(), FactorPlace->Top(), FactorPlace->Left() + FactorPlace->Width(),
                     FactorPlace->Top() + FactorPlace->Height()};
    factor_.Create(Handle(), place, FactorPlace->Font().Handle());
    ShowFactor();
    ShowPeriod(period_);
    ForceForeground(Handle());
}

void THistoryForm::ShowFactor()
{
    if (!host_)
        return;
    showingFactor_ = true;
    factor_.SetValue(host_->Co2PerKilowattHour());
    showingFactor_ = false;
    // A managed factor is shown, read-only, with the reason as the tool-tip.
    const bool managed = host_->IsFactorManaged();
    factor_.SetReadOnly(managed);
    for (TLabel* label : {FactorTitle, FactorUnit}) {
        label->SetHint(managed ? Translated("PolicyManaged") : std::string());
        label->SetShowHint(managed);
    }
}

void THistoryForm::FactorTyped()
{
    if (!host_ || showingFactor_ || host_->IsFactorManaged())
        return;
    // Taken as typed; an empty box means the default again, a figure out of
    // range is not taken (leaving the box shows the factor in force).
    const std::string text = factor_.Text();
    if (text.empty())
        host_->ResetCo2PerKilowattHour();
    else if (const std::optional<int> grams = historyview::ParseFactor(text))
        host_->SetCo2PerKilowattHour(*grams);
}

void THistoryForm::WndProc(TMessage& message)
{
    const HWND box = factor_.Handle();
    // A read-only (managed) box asks for the static colours: its figure is
    // dimmed on the same well, the unavailable look of the skin.
    if (box && (message.Msg == WM_CTLCOLOREDIT || message.Msg == WM_CTLCOLORSTATIC) &&
        reinterpret_cast<HWND>(message.LParam) == box) {
        const HDC dc = reinterpret_cast<HDC>(message.WParam);
        SetTextColor(dc, message.Msg == WM_CTLCOLORSTATIC ? kManagedFactorText : kFactorText);
        SetBkColor(dc, kWell);
        message.Result = reinterpret_cast<LRESULT>(factorWell_.Handle());
        return;
    }
    if (box && message.Msg == WM_COMMAND && reinterpret_cast<HWND>(message.LParam) == box) {
        if (HIWORD(message.WParam) == EN_CHANGE)
            FactorTyped();
        else if (HIWORD(message.WParam) == EN_KILLFOCUS)
            ShowFactor();
    }
    TForm::WndProc(message);
}

void THistoryForm::ExportButtonClick(TObject*)
{
    if (!host_)
        return;
    const std::optional<std::string> path = host_->AskExportPath();
    if (path && !historyview::WriteFileWhole(*path, history::CsvDocument(host_->Days())))
        host_->ExportFailed();
}

void THistoryForm::ClearButtonClick(TObject*)
{
    if (!host_ || !host_->ConfirmClear())
        return;
    host_->Clear();
    ShowPeriod(period_);
}
