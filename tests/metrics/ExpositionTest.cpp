// The text format's writer and the snapshot it renders: the exact lines of
// a family, escaping that keeps every value on its line, numbers that read
// the same in any locale, names the format refuses, and a snapshot whose
// figures are the status's in base units, with CO2 by the status's factor.

#include "engine/ModeModel.h"
#include "metrics/ExpositionWriter.h"
#include "metrics/MetricsSnapshot.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <map>
#include <sstream>
#include <string>

using namespace metrics;

namespace {

// "name{labels}" -> value text, for every sample line.
std::map<std::string, std::string> Samples(const std::string& text)
{
    std::map<std::string, std::string> samples;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        const size_t space = line.rfind(' ');
        samples[line.substr(0, space)] = line.substr(space + 1);
    }
    return samples;
}

double Value(const std::map<std::string, std::string>& samples, const std::string& key)
{
    const auto found = samples.find(key);
    EXPECT_NE(found, samples.end()) << key;
    return found == samples.end() ? std::nan("") : std::stod(found->second);
}

} // namespace

TEST(ExpositionWriter, FamiliesHaveHelpTypeAndSamples)
{
    ExpositionWriter out;
    EXPECT_TRUE(out.Family("pellix_things_total", "Things counted.", MetricType::Counter));
    out.Sample({{"kind", "a"}, {"side", "left"}}, uint64_t(18446744073709551615ull));
    out.Sample({}, 2.5);
    EXPECT_TRUE(out.Family("pellix_level", "A level.", MetricType::Gauge));
    out.Sample(0.1);
    EXPECT_EQ(out.Text(), "# HELP pellix_things_total Things counted.\n"
                          "# TYPE pellix_things_total counter\n"
                          "pellix_things_total{kind=\"a\",side=\"left\"} 18446744073709551615\n"
                          "pellix_things_total 2.5\n"
                          "# HELP pellix_level A level.\n"
                          "# TYPE pellix_level gauge\n"
                          "pellix_level 0.1\n");
}

TEST(ExpositionWriter, EscapingKeepsEveryValueOnItsLine)
{
    ExpositionWriter out;
    out.Family("pellix_info", "Back\\slash and\nnew line, \"quotes\" stay.", MetricType::Gauge);
    out.Sample({{"path", "C:\\a \"b\"\nc"}}, 1.0);
    EXPECT_EQ(out.Text(), "# HELP pellix_info Back\\\\slash and\\nnew line, \"quotes\" stay.\n"
                          "# TYPE pellix_info gauge\n"
                          "pellix_info{path=\"C:\\\\a \\\"b\\\"\\nc\"} 1\n");
}

TEST(ExpositionWriter, NumbersAreTheSameInAnyLocale)
{
    const std::string before = std::setlocale(LC_ALL, nullptr);
    // Decimal comma and thousands separators where the locale has them.
    std::setlocale(LC_ALL, "German");
    EXPECT_EQ(FormatNumber(1234567.25), "1234567.25");
    EXPECT_EQ(FormatNumber(0.1), "0.1");
    EXPECT_EQ(FormatNumber(-3), "-3");
    EXPECT_EQ(FormatNumber(1e21), "1e+21");
    EXPECT_EQ(FormatNumber(-0.0), "0");
    EXPECT_EQ(FormatNumber(std::nan("")), "NaN");
    EXPECT_EQ(FormatNumber(-std::nan("")), "NaN");
    EXPECT_EQ(FormatNumber(std::numeric_limits<double>::infinity()), "+Inf");
    EXPECT_EQ(FormatNumber(-std::numeric_limits<double>::infinity()), "-Inf");
    const std::string tick = FormatNumber(40 * 0.46 * 5 / 3600);
    std::setlocale(LC_ALL, before.c_str());
    // Shortest text that reads back as the same double.
    EXPECT_EQ(std::stod(tick), 40 * 0.46 * 5 / 3600) << tick;
}

TEST(ExpositionWriter, NamesTheFormatRefusesLeaveTheirLinesOut)
{
    EXPECT_TRUE(IsMetricName("pellix:rate_5m"));
    EXPECT_TRUE(IsLabelName("_cause"));
    for (const char* bad : {"", "9lives", "pellix-mode", "pellix mode", "pellix_é"})
        EXPECT_FALSE(IsMetricName(bad)) << bad;
    for (const char* bad : {"", "__name__", "a:b", "1a"})
        EXPECT_FALSE(IsLabelName(bad)) << bad;

    ExpositionWriter out;
    EXPECT_FALSE(out.Family("pellix_changes", "A counter needs _total.", MetricType::Counter));
    out.Sample(1.0);
    EXPECT_FALSE(out.Family("_total", "Nothing but the suffix.", MetricType::Counter));
    EXPECT_FALSE(out.Family("pellix-bad", "Bad name.", MetricType::Gauge));
    out.Sample(1.0);
    EXPECT_TRUE(out.Family("pellix_good", "Good.", MetricType::Gauge));
    out.Sample({{"__reserved", "x"}}, 1.0);
    out.Sample({{"ok", "x"}}, 2.0);
    EXPECT_EQ(out.Text(), "# HELP pellix_good Good.\n# TYPE pellix_good gauge\npellix_good{ok=\"x\"} 2\n");
}

TEST(MetricsSnapshot, ModeAndAutoGearAreOneHotGauges)
{
    Snapshot snapshot;
    snapshot.status.level = uint32_t(GearLevel::MaxSaving);
    snapshot.status.autoGear = 2;
    auto samples = Samples(RenderMetrics(snapshot));
    EXPECT_EQ(samples["pellix_mode{mode=\"max\"}"], "1");
    for (const char* other : {"turbo", "high", "medium", "auto"})
        EXPECT_EQ(samples["pellix_mode{mode=\"" + std::string(other) + "\"}"], "0") << other;
    // Outside Auto no gear runs, whatever the item says.
    for (const char* gear : {"turbo", "high", "medium", "max"})
        EXPECT_EQ(samples["pellix_auto_gear{gear=\"" + std::string(gear) + "\"}"], "0") << gear;

    snapshot.status.level = uint32_t(GearLevel::Auto);
    samples = Samples(RenderMetrics(snapshot));
    EXPECT_EQ(samples["pellix_mode{mode=\"auto\"}"], "1");
    EXPECT_EQ(samples["pellix_auto_gear{gear=\"medium\"}"], "1");
    EXPECT_EQ(samples["pellix_auto_gear{gear=\"max\"}"], "0");

    // No mode known (no power gear): no mode is 1.
    snapshot.status.level = uint32_t(GearLevel::Unknown);
    samples = Samples(RenderMetrics(snapshot));
    for (const char* mode : {"turbo", "high", "medium", "max", "auto"})
        EXPECT_EQ(samples["pellix_mode{mode=\"" + std::string(mode) + "\"}"], "0") << mode;
}

TEST(MetricsSnapshot, FiguresAreTheStatusInBaseUnits)
{
    Snapshot snapshot;
    kelp::control::Status& status = snapshot.status;
    status.cpuPowerW = 41.5;
    status.vgaPowerW = 12;
    status.boardTotalWh = 10;
    status.boardCurrentWh = 2;
    status.vgaTotalWh = 2.5;
    status.vgaCurrentWh = 0.5;
    status.co2PerWattHour = 400;
    status.flags = kelp::control::kCalibrationNeeded;
    snapshot.modeSeconds = {5, 10, 0, 25, 0};
    snapshot.modeChanges[size_t(ModeChangeCause::CommandLine)] = 3;
    snapshot.modeChanges[size_t(ModeChangeCause::Resume)] = 1;
    snapshot.version = "1.2.3.4";
    auto samples = Samples(RenderMetrics(snapshot));

    EXPECT_EQ(Value(samples, "pellix_cpu_power_watts"), 41.5);
    EXPECT_EQ(Value(samples, "pellix_graphics_card_power_watts"), 12);
    EXPECT_EQ(Value(samples, "pellix_energy_saved_joules_total{device=\"board\"}"), 36000);
    EXPECT_EQ(Value(samples, "pellix_energy_saved_joules_total{device=\"graphics_card\"}"), 9000);
    EXPECT_EQ(Value(samples, "pellix_energy_saved_since_reset_joules{device=\"board\"}"), 7200);
    EXPECT_EQ(Value(samples, "pellix_energy_saved_since_reset_joules{device=\"graphics_card\"}"), 1800);
    // 12.5 Wh and 2.5 Wh at 400 mg per Wh.
    EXPECT_DOUBLE_EQ(Value(samples, "pellix_co2_avoided_grams"), 5);
    EXPECT_DOUBLE_EQ(Value(samples, "pellix_co2_avoided_since_reset_grams"), 1);
    EXPECT_EQ(Value(samples, "pellix_calibration_needed"), 1);
    EXPECT_EQ(Value(samples, "pellix_mode_seconds_total{mode=\"max\"}"), 25);
    EXPECT_EQ(Value(samples, "pellix_mode_seconds_total{mode=\"high\"}"), 10);
    EXPECT_EQ(Value(samples, "pellix_mode_changes_total{cause=\"command_line\"}"), 3);
    EXPECT_EQ(Value(samples, "pellix_mode_changes_total{cause=\"resume\"}"), 1);
    EXPECT_EQ(Value(samples, "pellix_mode_changes_total{cause=\"hotkey\"}"), 0);
    EXPECT_EQ(Value(samples, "pellix_build_info{version=\"1.2.3.4\"}"), 1);

    // A status without a factor counts with the default one.
    status.co2PerWattHour.reset();
    samples = Samples(RenderMetrics(snapshot));
    EXPECT_DOUBLE_EQ(Value(samples, "pellix_co2_avoided_grams"), 12.5 * 0.615);
}
