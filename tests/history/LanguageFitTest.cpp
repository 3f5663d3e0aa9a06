// Every language's texts fit the history window: the title and the button
// captions on one line, and the longest lines of figures (a week's span and
// amounts of the largest size) in the totals' and figures' boxes.

#include "framework/TApplication.h"
#include "kelp/System/Language.h"
#include "screens/history/HistoryFigures.h"
#include "screens/history/THistoryForm.h"
#include "tests/support/LanguageText.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class HistoryLanguageFit : public testing::TestWithParam<std::string> {
protected:
    static THistoryForm& Form()
    {
        static THistoryForm* form = Application().CreateForm<THistoryForm>();
        return *form;
    }

    int Width(TFont& font, const std::string& text)
    {
        return SingleLineSize(dc_.get(), font.Handle(), text).cx;
    }

    void ExpectFits(TControl& control, TFont& font, const std::string& text)
    {
        ASSERT_FALSE(text.empty()) << GetParam();
        EXPECT_LE(Width(font, text), control.Width()) << GetParam() << ": " << text;
    }

private:
    std::unique_ptr<std::remove_pointer_t<HDC>, decltype(&DeleteDC)> dc_{CreateCompatibleDC(nullptr), DeleteDC};
};

TEST_P(HistoryLanguageFit, CaptionsAndTheLongestFigures)
{
    THistoryForm& form = Form();
    const std::string language = GetParam();
    ExpectFits(*form.Title, form.Title->Font(), LanguageText(language, "HistoryTitle"));
    ExpectFits(*form.DaysButton, form.DaysButton->Font(), LanguageText(language, "History30Days"));
    ExpectFits(*form.WeeksButton, form.WeeksButton->Font(), LanguageText(language, "History12Weeks"));
    ExpectFits(*form.MonthsButton, form.MonthsButton->Font(), LanguageText(language, "History12Months"));
    ExpectFits(*form.ExportButton, form.ExportButton->Font(), LanguageText(language, "HistoryExport"));
    ExpectFits(*form.ClearButton, form.ClearButton->Font(), LanguageText(language, "HistoryClear"));
    ExpectFits(*form.FactorTitle, form.FactorTitle->Font(), LanguageText(language, "HistoryFactor"));
    ExpectFits(*form.FactorUnit, form.FactorUnit->Font(), LanguageText(language, "HistoryFactorUnit"));
    ExpectFits(*form.FactorPlace, form.FactorPlace->Font(), "5000");

    history::Bar widest;
    widest.firstDay = 20795;
    widest.lastDay = widest.firstDay + 6;
    widest.savedByMode[3] = 999.99;
    widest.co2Avoided = 999999;
    widest.cpuUsed = 999.99;
    const auto words = [&](const char* key) { return LanguageText(language, key); };
    ExpectFits(*form.Totals, form.Totals->Font(), LanguageText(language, "HistoryTotal") + historyview::kFiguresGap +
                                                      historyview::Amounts(widest, words));
    ExpectFits(*form.Figures, form.Figures->Font(), historyview::FiguresLine(widest, words));
    ExpectFits(*form.Figures, form.Figures->Font(),
               historyview::SpanText(widest) + historyview::kFiguresGap + LanguageText(language, "HistoryPointAtBar"));
}

INSTANTIATE_TEST_SUITE_P(Languages, HistoryLanguageFit, testing::Values("English", "German", "French"));

} // namespace
