#pragma once
// The savings history window: a chart of the last 30 days, 12 weeks or 12
// months of energy saved, stacked by mode, with the period's totals, the
// figures of the bar under the pointer, the export of every day as CSV and
// the clearing of the history after a question. A layered pop-up centred on
// the main window like the CPU form, but not kept on top, so that the
// question and the save dialog come up over it; created when first opened.

#include "screens/history/FactorBox.h"
#include "screens/history/HistoryChart.h"
#include "screens/history/HistoryViewHost.h"

#include "VtPackage/VtButton.h"
#include "VtPackage/VtButtonTx.h"
#include "framework/TForm.h"
#include "framework/controls/TImage.h"
#include "framework/controls/TLabel.h"
#include "kelp/widget/Flicker.h"
#include "kelp/widget/LayeredShapedForm.h"

#include <string>

class THistoryForm : public TForm {
public:
    explicit THistoryForm(TComponent* owner);
    ~THistoryForm() override;

    void SetHost(historyview::HistoryViewHost* host) { host_ = host; }
    // The captions from the language files, in the fonts `language` needs;
    // the constructor sets them for the system's language.
    void SetTexts(const std::string& language);
    // Reads the days again and shows the period.
    void ShowPeriod(history::Period period);
    history::Period Period() const { return period_; }

    TImage* Background;
    TLabel* Title;
    // The period's span and a hint, or the figures of the bar under the pointer.
    TLabel* Figures;
    TLabel* Totals;
    historyview::HistoryChart* Chart;
    VtButtonTx* DaysButton;
    VtButtonTx* WeeksButton;
    VtButtonTx* MonthsButton;
    VtButtonTx* ExportButton;
    VtButtonTx* ClearButton;
    VtButton* CloseButton;
    TLabel* FactorTitle;
    // Holds the place and font of the factor's box.
    TLabel* FactorPlace;
    TLabel* FactorUnit;
    historyview::FactorBox& Factor() { return factor_; }

protected:
    void WndProc(TMessage& message) override;

private:
    void FormShow(TObject* sender);
    void ExportButtonClick(TObject* sender);
    void ClearButtonClick(TObject* sender);
    void ShowFigures(int bar);
    void MarkPeriodButtons();
    void FactorTyped();
    void ShowFactor();

    historyview::HistoryViewHost* host_ = nullptr;
    history::Period period_ = history::Period::Days;
    historyview::FactorBox factor_;
    TBrush factorWell_;
    // Set while the form itself writes the box, whose change is no typing.
    bool showingFactor_ = false;
    kelp::LayeredShapedForm shape_;
    kelp::Flicker flicker_;
};
