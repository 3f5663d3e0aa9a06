// The history window on its real layout and artwork over a scripted host:
// periods, totals, the figures of the bar under the pointer, the export of
// every day as CSV and the clearing after a question.

#include "engine/SavingsCsv.h"
#include "kelp/System/Language.h"
#include "screens/history/HistoryFigures.h"
#include "screens/history/THistoryForm.h"
#include "tests/history/HistoryRig.h"
#include "tests/support/MessagePump.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace historytest;

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

struct FormRig {
    FormRig()
    {
        host.days = SampleDays(420);
        form = Application().CreateForm<THistoryForm>();
        form->SetHost(&host);
        form->Show();
        PumpFor(50);
    }
    ~FormRig() { form->Hide(); }
    FakeHost host;
    THistoryForm* form = nullptr;
};

TEST(HistoryForm, PeriodsShowTheirBarsAndTotals)
{
    FormRig rig;
    EXPECT_EQ(rig.form->Title->Caption(), kelp::Translate("HistoryTitle"));
    ASSERT_EQ(rig.form->Chart->Bars().size(), 30u) << "opens on the last 30 days";
    const auto totalsOf = [&](history::Period period) {
        return kelp::Translate("HistoryTotal") + historyview::kFiguresGap +
               historyview::Amounts(history::Total(history::Bars(rig.host.days, kToday, period)),
                                    [](const char* key) { return kelp::Translate(key); });
    };
    EXPECT_EQ(rig.form->Totals->Caption(), totalsOf(history::Period::Days));
    rig.form->MonthsButton->Click();
    EXPECT_EQ(rig.form->Chart->Bars().size(), 12u);
    EXPECT_EQ(rig.form->Totals->Caption(), totalsOf(history::Period::Months));
    EXPECT_EQ(rig.form->MonthsButton->Font().Color(), 0x00F7C34Fu) << "the chosen period is lit";
    EXPECT_NE(rig.form->DaysButton->Font().Color(), 0x00F7C34Fu);
    rig.form->WeeksButton->Click();
    EXPECT_EQ(rig.form->Period(), history::Period::Weeks);
    EXPECT_EQ(rig.form->Chart->Bars().back().lastDay, kToday + 4) << "the week runs to Sunday";
}

TEST(HistoryForm, TheBarUnderThePointerShowsItsFigures)
{
    FormRig rig;
    const std::string hint = "2026-11-10 - 2026-12-09  " + kelp::Translate("HistoryPointAtBar");
    EXPECT_EQ(rig.form->Figures->Caption(), hint);
    historyview::HistoryChart& chart = *rig.form->Chart;
    // Over the last bar's slot, then off the chart.
    chart.MouseMove({}, chart.Width() - 20, chart.Height() / 2);
    EXPECT_EQ(chart.Hovered(), 29);
    EXPECT_EQ(rig.form->Figures->Caption().rfind("2026-12-09  ", 0), 0u) << rig.form->Figures->Caption();
    chart.MouseMove({}, 5, chart.Height() / 2);
    EXPECT_EQ(chart.Hovered(), -1);
    EXPECT_EQ(rig.form->Figures->Caption(), hint);
}

TEST(HistoryForm, ExportWritesEveryDayAndClearingAsksFirst)
{
    FormRig rig;
    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    const std::string path = std::string(folder) + "pellix-history-test.csv";
    DeleteFileA(path.c_str());
    rig.form->ExportButton->Click();
    EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << "no path chosen, nothing written";

    rig.host.exportPath = path;
    rig.form->ExportButton->Click();
    EXPECT_EQ(ReadFile(path), history::CsvDocument(rig.host.days));
    EXPECT_EQ(GetFileAttributesA((path + ".part").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(rig.host.failures, 0);
    DeleteFileA(path.c_str());

    rig.host.exportPath = std::string(folder) + "no such folder\\history.csv";
    rig.form->ExportButton->Click();
    EXPECT_EQ(rig.host.failures, 1);

    rig.form->ClearButton->Click();
    EXPECT_EQ(rig.host.questions, 1);
    EXPECT_FALSE(rig.host.days.empty()) << "refused";
    rig.host.agree = true;
    rig.form->ClearButton->Click();
    EXPECT_TRUE(rig.host.days.empty());
    EXPECT_DOUBLE_EQ(history::Total(rig.form->Chart->Bars()).Saved(), 0) << "the chart shows the cleared history";
}

TEST(HistoryForm, TheEmissionFactorIsTypedIntoItsBox)
{
    FormRig rig;
    historyview::FactorBox& box = rig.form->Factor();
    ASSERT_NE(box.Handle(), nullptr);
    EXPECT_EQ(box.Text(), "615");
    EXPECT_EQ(rig.host.factor, 615) << "showing the factor sets nothing";
    SetWindowTextA(box.Handle(), "380");
    EXPECT_EQ(rig.host.factor, 380);
    SetWindowTextA(box.Handle(), "0");
    EXPECT_EQ(rig.host.factor, 380) << "out of range: not taken";
    rig.host.factor = 420;
    SetWindowTextA(box.Handle(), "");
    EXPECT_EQ(rig.host.factor, 615) << "an empty box is the default again";
    rig.form->Hide();
    rig.host.factor = 512;
    rig.form->Show();
    EXPECT_EQ(box.Text(), "512");
}

} // namespace
