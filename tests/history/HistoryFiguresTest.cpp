// The history view's texts and the chart's geometry, without a window.

#include "screens/history/ChartGeometry.h"
#include "screens/history/FactorBox.h"
#include "screens/history/HistoryFigures.h"
#include "tests/history/HistoryRig.h"

#include <gtest/gtest.h>

using namespace historyview;

namespace {

TEST(HistoryFigures, AmountsTakeTheirUnit)
{
    EXPECT_EQ(EnergyText(0), "0.00 Wh");
    EXPECT_EQ(EnergyText(999.994), "999.99 Wh");
    EXPECT_EQ(EnergyText(1250), "1.25 kWh");
    EXPECT_EQ(EnergyText(999.996), "1.00 kWh") << "never 1000.00 Wh";
    EXPECT_EQ(Co2Text(999999), "1.00 kg");
    EXPECT_EQ(ScaleText(75, 100), "75 Wh");
    EXPECT_EQ(ScaleText(12.5, 50), "12.5 Wh");
    EXPECT_EQ(ScaleText(0.25, 1), "0.25 Wh");
    EXPECT_EQ(ScaleText(1500, 2000), "1.50 kWh");
    EXPECT_EQ(Co2Text(615), "615 mg");
    EXPECT_EQ(Co2Text(32100), "32.1 g");
    EXPECT_EQ(Co2Text(1234567), "1.23 kg");

    history::Bar bar;
    bar.firstDay = bar.lastDay = historytest::kToday;
    bar.savedByMode = {0, 0, 20, 32.3, 0};
    bar.co2Avoided = 32150;
    bar.cpuUsed = 410;
    EXPECT_EQ(SpanText(bar), "2026-12-09");
    EXPECT_EQ(AxisLabel(bar, history::Period::Days), "12-09");
    EXPECT_EQ(AxisLabel(bar, history::Period::Months), "2026-12");
    const auto words = [](const char* key) { return std::string("<") + key + ">"; };
    EXPECT_EQ(FiguresLine(bar, words),
              "2026-12-09  <HistorySaved>: 52.30 Wh  <HistoryCo2>: 32.1 g  <HistoryCpu>: 410.00 Wh");
    bar.lastDay += 6;
    EXPECT_EQ(SpanText(bar), "2026-12-09 - 2026-12-15");
}

TEST(FactorBox, TakesWholeGramsWithinTheBound)
{
    EXPECT_EQ(historyview::ParseFactor("380"), 380);
    EXPECT_EQ(historyview::ParseFactor("1"), 1);
    EXPECT_EQ(historyview::ParseFactor("5000"), 5000);
    for (const char* refused : {"", "0", "5001", "99999", "123456", "38a", "-5"})
        EXPECT_FALSE(historyview::ParseFactor(refused)) << refused;
}

TEST(ChartGeometry, EveryBarAnswersWhereItIsDrawn)
{
    for (int count : {12, 30}) {
        const ChartGeometry geometry(592, 172, count);
        const RECT plot = geometry.Plot();
        int previousRight = plot.left;
        for (int i = 0; i < count; ++i) {
            const RECT column = geometry.Column(i);
            ASSERT_GT(column.right, column.left) << count << " bars, bar " << i;
            EXPECT_GE(column.left, previousRight) << "bars do not overlap";
            previousRight = column.right;
            for (int x : {column.left, (column.left + column.right) / 2, column.right - 1})
                EXPECT_EQ(geometry.BarAt(x, (column.top + column.bottom) / 2), i) << count << " bars, x " << x;
        }
        EXPECT_LE(previousRight, plot.right);
        EXPECT_EQ(geometry.BarAt(plot.left - 1, plot.top + 5), -1) << "over the scale";
        EXPECT_EQ(geometry.BarAt(plot.left + 5, plot.top - 1), -1) << "over the legend";
    }
    EXPECT_EQ(ChartGeometry(592, 172, 0).BarAt(300, 100), -1);
    EXPECT_EQ(ScaleTop(0), 1);
    EXPECT_EQ(ScaleTop(0.37), 0.5);
    EXPECT_EQ(ScaleTop(37), 50);
    EXPECT_EQ(ScaleTop(100), 100);
    EXPECT_EQ(ScaleTop(101), 200);
}

} // namespace
