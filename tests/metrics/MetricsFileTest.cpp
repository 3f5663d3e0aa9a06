// The metrics file on a real file system: replaced whole with nothing left
// beside it, refused behind a reparse point or over a folder, reported
// (once) when the folder is missing or the disk full, and the exporter's
// schedule, mode seconds and trace lines around it.
//
// The wrapper script provides PELLIX_LINKED_FOLDER and PELLIX_LINKED_FILE
// (symbolic links, which Wine shows as reparse points) and, where it may
// mount one, PELLIX_FULL_FOLDER (a nearly full small disk).

#include "framework/system/Trace.h"
#include "metrics/MetricsExporter.h"
#include "metrics/MetricsFile.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

using namespace metrics;

namespace {

std::wstring Widen(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string ReadAll(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string text(1 << 20, '\0');
    DWORD read = 0;
    ReadFile(file, text.data(), DWORD(text.size()), &read, nullptr);
    CloseHandle(file);
    text.resize(read);
    return text;
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

MetricsPath PathOf(const std::wstring& file)
{
    PathProblem problem = PathProblem::None;
    std::optional<MetricsPath> path = ParseMetricsPath(file, problem);
    EXPECT_TRUE(path) << Narrow(file) << " refused: " << int(problem);
    return path.value_or(MetricsPath{});
}

std::mutex traceLock;
std::vector<std::string> traces;

void CollectTrace(const char* line)
{
    std::lock_guard<std::mutex> hold(traceLock);
    if (std::string(line).find("[Metrics]") != std::string::npos)
        traces.emplace_back(line);
}

class MetricsFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"pellix-metrics-" + std::to_wstring(GetCurrentProcessId());
        RemoveFolder(folder_);
        ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
        {
            std::lock_guard<std::mutex> hold(traceLock);
            traces.clear();
        }
        SetTraceObserver(CollectTrace);
    }
    void TearDown() override
    {
        SetTraceObserver(nullptr);
        RemoveFolder(folder_);
    }

    static void RemoveFolder(const std::wstring& folder)
    {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = found.cFileName;
                if (name == L"." || name == L"..")
                    continue;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveFolder(folder + L"\\" + name);
                else
                    DeleteFileW((folder + L"\\" + name).c_str());
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(folder.c_str());
    }

    std::vector<std::string> Traces()
    {
        std::lock_guard<std::mutex> hold(traceLock);
        return traces;
    }

    // The names in the folder, "." and ".." left out.
    std::vector<std::wstring> Listing(const std::wstring& folder)
    {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do {
            if (std::wstring(found.cFileName) != L"." && std::wstring(found.cFileName) != L"..")
                names.push_back(found.cFileName);
        } while (FindNextFileW(search, &found));
        FindClose(search);
        return names;
    }

    std::wstring folder_;
};

} // namespace

TEST_F(MetricsFileTest, ReplacesTheFileWholeAndLeavesNothingBeside)
{
    const MetricsPath path = PathOf(folder_ + L"\\pellix.prom");
    EXPECT_EQ(ReplaceMetricsFile(path, "pellix_a 1\n"), WriteOutcome::Written);
    EXPECT_EQ(ReadAll(path.file), "pellix_a 1\n");
    // A temporary file left by a write cut short is no obstacle, and goes.
    HANDLE stale = CreateFileW(path.temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(stale, INVALID_HANDLE_VALUE);
    CloseHandle(stale);
    const std::string large(200000, 'x');
    EXPECT_EQ(ReplaceMetricsFile(path, large), WriteOutcome::Written);
    EXPECT_EQ(ReadAll(path.file), large);
    EXPECT_EQ(ReplaceMetricsFile(path, "pellix_a 2\n"), WriteOutcome::Written);
    EXPECT_EQ(ReadAll(path.file), "pellix_a 2\n");
    EXPECT_EQ(Listing(folder_), std::vector<std::wstring>{L"pellix.prom"});
}

TEST_F(MetricsFileTest, MissingFoldersAndFoldersInTheWayAreRefused)
{
    EXPECT_EQ(ReplaceMetricsFile(PathOf(folder_ + L"\\absent\\deeper\\pellix.prom"), "x\n"),
              WriteOutcome::MissingFolder);
    EXPECT_FALSE(Exists(folder_ + L"\\absent"));

    // A file where a folder should be.
    ASSERT_EQ(ReplaceMetricsFile(PathOf(folder_ + L"\\plain.prom"), "x\n"), WriteOutcome::Written);
    EXPECT_EQ(ReplaceMetricsFile(PathOf(folder_ + L"\\plain.prom\\pellix.prom"), "x\n"), WriteOutcome::MissingFolder);

    // A folder where the file should be is left as it is.
    ASSERT_TRUE(CreateDirectoryW((folder_ + L"\\taken.prom").c_str(), nullptr));
    EXPECT_EQ(ReplaceMetricsFile(PathOf(folder_ + L"\\taken.prom"), "x\n"), WriteOutcome::NotPlainFile);
    EXPECT_TRUE(GetFileAttributesW((folder_ + L"\\taken.prom").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(Exists(folder_ + L"\\taken.prom.tmp"));
}

TEST_F(MetricsFileTest, ReparsePointsOnTheWayAreRefused)
{
    // A link to a folder: nothing may land where it leads.
    const std::string linkedFolder = Environment("PELLIX_LINKED_FOLDER");
    ASSERT_FALSE(linkedFolder.empty()) << "run by the wrapper script";
    const std::wstring link = Widen(linkedFolder);
    ASSERT_TRUE(GetFileAttributesW(link.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT) << linkedFolder;
    const std::vector<std::wstring> before = Listing(link);
    EXPECT_EQ(ReplaceMetricsFile(PathOf(link + L"\\pellix.prom"), "x\n"), WriteOutcome::ReparsePoint);
    ASSERT_TRUE(CreateDirectoryW((link + L"\\below").c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    EXPECT_EQ(ReplaceMetricsFile(PathOf(link + L"\\below\\pellix.prom"), "x\n"), WriteOutcome::ReparsePoint);
    RemoveDirectoryW((link + L"\\below").c_str());
    EXPECT_EQ(Listing(link), before);

    // A link as the file itself: what it leads to keeps its text. Windows
    // shows such a link as a reparse point and the write is refused; Wine
    // shows only links to folders so, and the rename replaces the link.
    const std::string linkedFile = Environment("PELLIX_LINKED_FILE");
    const std::string linkTarget = Environment("PELLIX_LINK_TARGET");
    ASSERT_FALSE(linkedFile.empty() || linkTarget.empty());
    const WriteOutcome outcome = ReplaceMetricsFile(PathOf(Widen(linkedFile)), "x\n");
    EXPECT_TRUE(outcome == WriteOutcome::ReparsePoint || outcome == WriteOutcome::Written) << int(outcome);
    EXPECT_EQ(ReadAll(Widen(linkTarget)), "kept\n");
}

TEST_F(MetricsFileTest, AFullDiskKeepsTheOldFile)
{
    const std::string full = Environment("PELLIX_FULL_FOLDER");
    if (full.empty())
        GTEST_SKIP() << "the wrapper script could not mount a small disk here";
    const MetricsPath path = PathOf(Widen(full) + L"\\pellix.prom");
    ASSERT_EQ(ReplaceMetricsFile(path, "pellix_a 1\n"), WriteOutcome::Written);
    EXPECT_EQ(ReplaceMetricsFile(path, std::string(256 << 10, 'x')), WriteOutcome::WriteFailed);
    EXPECT_TRUE(ReadAll(path.file) == "pellix_a 1\n") << "the old file kept";
    EXPECT_FALSE(Exists(path.temporary));
    DeleteFileW(path.file.c_str());
}

TEST_F(MetricsFileTest, ExporterWritesOnItsScheduleWithTheModeSeconds)
{
    int taken = 0;
    MetricsExporter exporter([&taken] {
        Snapshot snapshot;
        snapshot.status.cpuPowerW = ++taken;
        return std::optional<Snapshot>(snapshot);
    });
    const std::wstring file = folder_ + L"\\pellix.prom";
    // No file named: the ticks only count the seconds.
    exporter.Configure(policy::PolicySet{});
    exporter.Tick(3, 5);
    EXPECT_FALSE(exporter.IsExporting());
    EXPECT_EQ(taken, 0);

    policy::PolicySet policies;
    policies.metricsFile = Narrow(file);
    policies.metricsIntervalSeconds = 1;
    exporter.Configure(policies);
    EXPECT_EQ(exporter.Interval(), 15u);
    for (int tick = 0; tick < 4; ++tick)
        exporter.Tick(3, 5);
    EXPECT_EQ(taken, 2) << "the first tick and the fourth";
    const std::string text = ReadAll(file);
    EXPECT_NE(text.find("\npellix_cpu_power_watts 2\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\npellix_mode_seconds_total{mode=\"max\"} 25\n"), std::string::npos) << text;

    // The same policies again change nothing; a new interval writes at once.
    exporter.Configure(policies);
    exporter.Tick(1, 5);
    EXPECT_EQ(taken, 2);
    policies.metricsIntervalSeconds = 30;
    exporter.Configure(policies);
    exporter.Tick(1, 5);
    EXPECT_EQ(taken, 3);
}

TEST_F(MetricsFileTest, ExporterTracesAFailureOnceUntilItChanges)
{
    MetricsExporter exporter([] { return std::optional<Snapshot>(Snapshot{}); });
    const std::wstring missing = folder_ + L"\\later";
    policy::PolicySet policies;
    policies.metricsFile = Narrow(missing + L"\\pellix.prom");
    policies.metricsIntervalSeconds = 15;
    exporter.Configure(policies);
    ASSERT_EQ(Traces().size(), 1u) << "the file and interval taken";
    for (int tick = 0; tick < 12; ++tick)
        exporter.Tick(1, 5);
    std::vector<std::string> said = Traces();
    ASSERT_EQ(said.size(), 2u);
    EXPECT_NE(said[1].find("folder on the way is missing"), std::string::npos) << said[1];

    ASSERT_TRUE(CreateDirectoryW(missing.c_str(), nullptr));
    for (int tick = 0; tick < 6; ++tick)
        exporter.Tick(1, 5);
    said = Traces();
    ASSERT_EQ(said.size(), 3u);
    EXPECT_NE(said[2].find("written again"), std::string::npos) << said[2];
    EXPECT_TRUE(Exists(missing + L"\\pellix.prom"));

    // Another reason is told anew: a folder now stands where the file was.
    DeleteFileW((missing + L"\\pellix.prom").c_str());
    ASSERT_TRUE(CreateDirectoryW((missing + L"\\pellix.prom").c_str(), nullptr));
    for (int tick = 0; tick < 6; ++tick)
        exporter.Tick(1, 5);
    said = Traces();
    ASSERT_EQ(said.size(), 4u);
    EXPECT_NE(said[3].find("not a plain file"), std::string::npos) << said[3];

    // A path refused outright is told once, when the policy comes.
    policies.metricsFile = "C:\\metrics\\..\\pellix.prom";
    exporter.Configure(policies);
    for (int tick = 0; tick < 6; ++tick)
        exporter.Tick(1, 5);
    said = Traces();
    ASSERT_EQ(said.size(), 5u);
    EXPECT_NE(said[4].find("not allowed"), std::string::npos) << said[4];
    EXPECT_FALSE(exporter.IsExporting());
}
