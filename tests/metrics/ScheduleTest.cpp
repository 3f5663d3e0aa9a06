// When the metrics file is due on the 5 s tick, and the path checks that
// keep the program's writes to a plain local .prom file.

#include "metrics/ExportSchedule.h"
#include "metrics/MetricsPath.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace metrics;

namespace {

// Which of `ticks` 5 s ticks write, as their numbers from 1.
std::vector<int> WritingTicks(ExportSchedule& schedule, int ticks)
{
    std::vector<int> writing;
    for (int tick = 1; tick <= ticks; ++tick)
        if (schedule.Tick(5))
            writing.push_back(tick);
    return writing;
}

} // namespace

TEST(ExportSchedule, IntervalsAreAtLeastFifteenSeconds)
{
    EXPECT_EQ(EffectiveInterval(std::nullopt), kDefaultIntervalSeconds);
    EXPECT_EQ(EffectiveInterval(0u), 15u);
    EXPECT_EQ(EffectiveInterval(1u), 15u);
    EXPECT_EQ(EffectiveInterval(15u), 15u);
    EXPECT_EQ(EffectiveInterval(86400u), 86400u);
    EXPECT_EQ(ExportSchedule(5).Interval(), 15u);
}

TEST(ExportSchedule, WritesAtOnceThenEveryInterval)
{
    ExportSchedule fifteen(15);
    EXPECT_EQ(WritingTicks(fifteen, 10), (std::vector<int>{1, 4, 7, 10}));
    // Not a multiple of the tick: the first tick after the interval.
    ExportSchedule seventeen(17);
    EXPECT_EQ(WritingTicks(seventeen, 9), (std::vector<int>{1, 5, 9}));
    ExportSchedule minute(60);
    EXPECT_EQ(WritingTicks(minute, 25), (std::vector<int>{1, 13, 25}));
    // A new setting writes at the next tick and counts from there.
    EXPECT_EQ(WritingTicks(fifteen, 2), std::vector<int>{});
    fifteen.Restart(20);
    EXPECT_EQ(WritingTicks(fifteen, 6), (std::vector<int>{1, 5}));
    // Ticks of a third of a second add up without missing their turn.
    ExportSchedule thirds(15);
    std::vector<int> writing;
    for (int tick = 1; tick <= 91; ++tick)
        if (thirds.Tick(1.0 / 3))
            writing.push_back(tick);
    EXPECT_EQ(writing, (std::vector<int>{1, 46, 91}));
}

TEST(MetricsPath, PlainLocalPromFilesAreTaken)
{
    PathProblem problem = PathProblem::TooLong;
    auto path = ParseMetricsPath(L"C:\\exporter\\textfile\\Pellix.PROM", problem);
    ASSERT_TRUE(path);
    EXPECT_EQ(problem, PathProblem::None);
    EXPECT_EQ(path->file, L"C:\\exporter\\textfile\\Pellix.PROM");
    EXPECT_EQ(path->temporary, L"C:\\exporter\\textfile\\Pellix.PROM.tmp");
    EXPECT_EQ(path->folders, (std::vector<std::wstring>{L"C:\\exporter", L"C:\\exporter\\textfile"}));

    path = ParseMetricsPath(L"d:\\pellix.prom", problem);
    ASSERT_TRUE(path);
    EXPECT_TRUE(path->folders.empty());

    const std::wstring longest = L"C:\\" + std::wstring(kMaxPathChars - 3 - 5, L'a') + L".prom";
    EXPECT_TRUE(ParseMetricsPath(longest, problem));
    EXPECT_FALSE(ParseMetricsPath(longest.substr(0, 3) + L"a" + longest.substr(3), problem));
    EXPECT_EQ(problem, PathProblem::TooLong);
}

TEST(MetricsPath, EverythingElseIsRefusedWithItsReason)
{
    const std::pair<const wchar_t*, PathProblem> refused[] = {
        {L"", PathProblem::NotLocal},
        {L"metrics\\pellix.prom", PathProblem::NotLocal},
        {L"\\pellix.prom", PathProblem::NotLocal},
        {L"\\\\server\\share\\pellix.prom", PathProblem::NotLocal},
        {L"\\\\?\\C:\\pellix.prom", PathProblem::NotLocal},
        {L"\\\\.\\pipe\\pellix.prom", PathProblem::NotLocal},
        {L"C:pellix.prom", PathProblem::NotLocal},
        {L"1:\\pellix.prom", PathProblem::NotLocal},
        {L"C:/metrics/pellix.prom", PathProblem::NotLocal},
        {L"C:\\metrics/pellix.prom", PathProblem::BadStep},
        {L"C:\\metrics\\..\\Windows\\pellix.prom", PathProblem::BadStep},
        {L"C:\\.\\pellix.prom", PathProblem::BadStep},
        {L"C:\\metrics\\\\pellix.prom", PathProblem::BadStep},
        {L"C:\\metrics.\\pellix.prom", PathProblem::BadStep},
        {L"C:\\metrics \\pellix.prom", PathProblem::BadStep},
        {L"C:\\metrics\\pellix.prom:stream", PathProblem::BadStep},
        {L"C:\\metrics\\pel*ix.prom", PathProblem::BadStep},
        {L"C:\\metrics\\pel\tlix.prom", PathProblem::BadStep},
        {L"C:\\metrics\\NUL.prom", PathProblem::BadStep},
        {L"C:\\con\\pellix.prom", PathProblem::BadStep},
        {L"C:\\metrics\\com1.prom", PathProblem::BadStep},
        {L"C:\\metrics\\Lpt9.x.prom", PathProblem::BadStep},
        {L"C:\\metrics\\", PathProblem::BadStep},
        {L"C:\\metrics\\pellix.txt", PathProblem::NotPromFile},
        {L"C:\\metrics\\.prom", PathProblem::NotPromFile},
        {L"C:\\metrics\\pellix.prom.tmp", PathProblem::NotPromFile},
    };
    for (size_t i = 0; i < std::size(refused); ++i) {
        PathProblem problem = PathProblem::None;
        EXPECT_FALSE(ParseMetricsPath(refused[i].first, problem)) << "case " << i;
        EXPECT_EQ(problem, refused[i].second) << "case " << i;
    }
    // Device names only as a whole name: these are plain files.
    PathProblem problem = PathProblem::None;
    EXPECT_TRUE(ParseMetricsPath(L"C:\\console\\com10.prom", problem));
    EXPECT_TRUE(ParseMetricsPath(L"C:\\metrics\\null.prom", problem));
}
