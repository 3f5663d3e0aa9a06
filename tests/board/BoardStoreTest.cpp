#include "board/core/BoardLock.h"
#include "board/core/BoardPaths.h"
#include "board/core/BoardStore.h"
#include "board/core/FileText.h"
#include "framework/system/Trace.h"
#include "tests/board/support/BoardTestSupport.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <chrono>
#include <cstdlib>
#include <future>
#include <thread>

namespace {
using boardtest::FileIndex;
using vboard::BoardState;
using vboard::BoardStore;

const std::string kStatePath = boardtest::UseOwnBoardState("board");

// An unbounded number item of the current profile that no sensor drives.
constexpr uint32_t kCounterItem = 0x030000F0;
constexpr uint32_t kCounterDefault = 3;

std::mutex g_traceLock;
std::vector<std::string> g_traces;

void CollectTrace(const char* line)
{
    std::lock_guard<std::mutex> guard(g_traceLock);
    g_traces.push_back(line);
}

class BoardStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(BoardStore().LoadProfile("current", error)) << error;
        std::lock_guard<std::mutex> guard(g_traceLock);
        g_traces.clear();
        SetTraceObserver(CollectTrace);
    }
    void TearDown() override { SetTraceObserver(nullptr); }

    static bool Traced(const std::string& fragment)
    {
        std::lock_guard<std::mutex> guard(g_traceLock);
        for (const std::string& line : g_traces)
            if (line.find(fragment) != std::string::npos)
                return true;
        return false;
    }

    static uint32_t Value(uint32_t id)
    {
        BoardState state;
        EXPECT_TRUE(BoardStore().Read(state));
        const vboard::BoardItem* item = state.Find(id);
        return item ? item->value : 0xDEADBEEF;
    }

    static bool SetValue(uint32_t id, uint32_t value)
    {
        return BoardStore().Update([=](BoardState& state) {
            state.Find(id)->value = value;
            return true;
        });
    }
};

TEST_F(BoardStoreTest, DamagedOrMissingStateIsRebuiltFromTheProfile)
{
    auto truncate = [](std::string& text) { text.resize(text.size() / 2); };
    auto flip = [](std::string& text) { text[text.size() - 5] ^= 1; };
    auto scramble = [](std::string& text) { text = "\x01\x02 not a board"; };
    for (void (*damage)(std::string&) : {+truncate, +flip, +scramble}) {
        ASSERT_TRUE(SetValue(kCounterItem, 777));
        std::string text;
        ASSERT_TRUE(vboard::ReadFileText(kStatePath, text));
        damage(text);
        ASSERT_TRUE(vboard::ReplaceFileText(kStatePath, text));
        EXPECT_EQ(Value(kCounterItem), kCounterDefault) << "profile default back";
        EXPECT_TRUE(Traced("rebuilt from profile current"));
        ASSERT_TRUE(vboard::ReadFileText(kStatePath, text));
        BoardState decoded;
        std::string reason;
        EXPECT_TRUE(vboard::DecodeState(text, decoded, reason)) << "rebuilt state written back: " << reason;
    }
    DeleteFileA(kStatePath.c_str());
    EXPECT_EQ(Value(kCounterItem), kCounterDefault);
    EXPECT_TRUE(Traced("is missing; rebuilt from profile current"));
}

TEST_F(BoardStoreTest, ProfileVariablePicksTheProfileOfARebuild)
{
    SetEnvironmentVariableA("PELLIX_BOARD_PROFILE", "legacy");
    DeleteFileA(kStatePath.c_str());
    BoardState state;
    ASSERT_TRUE(BoardStore().Read(state));
    SetEnvironmentVariableA("PELLIX_BOARD_PROFILE", nullptr);
    EXPECT_EQ(state.profile, "legacy");
    EXPECT_EQ(state.InterfaceVersion(), 2u);
}

TEST_F(BoardStoreTest, UnusableProfileGivesAnEmptyBoardThatIsNotPersisted)
{
    SetEnvironmentVariableA("PELLIX_BOARD_PROFILE", "no-such-profile");
    DeleteFileA(kStatePath.c_str());
    BoardState state;
    ASSERT_TRUE(BoardStore().Read(state));
    SetEnvironmentVariableA("PELLIX_BOARD_PROFILE", nullptr);
    EXPECT_TRUE(state.items.empty());
    EXPECT_TRUE(Traced("board is empty"));
    EXPECT_EQ(GetFileAttributesA(kStatePath.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(Value(kCounterItem), kCounterDefault) << "the next access builds the default profile";
}

TEST_F(BoardStoreTest, StateIsSharedWithOtherProcesses)
{
    boardtest::ProcessResult set = boardtest::Run("boardctl.exe", "set 0x030000F0 0x55");
    ASSERT_EQ(set.exitCode, 0u) << set.err;
    EXPECT_EQ(Value(kCounterItem), 0x55u);
    ASSERT_TRUE(SetValue(kCounterItem, 1234));
    boardtest::ProcessResult get = boardtest::Run("boardctl.exe", "get 0x030000F0");
    EXPECT_EQ(get.out, "0x000004D2\n");
}

TEST_F(BoardStoreTest, OnlyAnUpdateThatChangesTheStateRewritesTheFile)
{
    ASSERT_TRUE(SetValue(kCounterItem, 41));
    const uint64_t before = FileIndex(kStatePath);
    ASSERT_NE(before, 0u);
    // Checked after each update: a file system may hand a freed identity
    // out again at the next write.
    EXPECT_TRUE(SetValue(kCounterItem, 41)) << "an update that changes nothing still succeeds";
    EXPECT_EQ(FileIndex(kStatePath), before) << "nothing changed, nothing written";
    EXPECT_TRUE(BoardStore().Update([](BoardState&) { return true; }));
    EXPECT_EQ(FileIndex(kStatePath), before);

    EXPECT_TRUE(SetValue(kCounterItem, 42));
    EXPECT_NE(FileIndex(kStatePath), before);
    EXPECT_EQ(Value(kCounterItem), 42u);
    boardtest::ProcessResult get = boardtest::Run("boardctl.exe", "get 0x030000F0");
    EXPECT_EQ(get.out, "0x0000002A\n") << "the change reached the file";
}

TEST_F(BoardStoreTest, InspectSeesTheStateAsTheFileHoldsIt)
{
    auto inspected = [] {
        uint32_t value = 0xDEADBEEF;
        EXPECT_TRUE(BoardStore().Inspect([&](const BoardState& state) { value = state.Find(kCounterItem)->value; }));
        return value;
    };
    ASSERT_TRUE(SetValue(kCounterItem, 0x11));
    EXPECT_EQ(inspected(), 0x11u);
    EXPECT_EQ(inspected(), 0x11u) << "looked at again, unchanged";
    // Another process changes the value; the file keeps its length.
    ASSERT_EQ(boardtest::Run("boardctl.exe", "set 0x030000F0 0x22").exitCode, 0u);
    EXPECT_EQ(inspected(), 0x22u);

    DeleteFileA(kStatePath.c_str());
    EXPECT_EQ(inspected(), kCounterDefault) << "a missing state is rebuilt from the profile";
    EXPECT_NE(GetFileAttributesA(kStatePath.c_str()), INVALID_FILE_ATTRIBUTES);
}

// Worker half of the concurrency test, run in child processes only.
TEST(BoardStoreWorker, DISABLED_Increment)
{
    int rounds = std::atoi(std::getenv("PELLIX_TEST_INCREMENTS") ? std::getenv("PELLIX_TEST_INCREMENTS") : "0");
    for (int i = 0; i < rounds; ++i)
        ASSERT_TRUE(BoardStore().Update([](BoardState& state) {
            ++state.Find(kCounterItem)->value;
            return true;
        }));
}

TEST_F(BoardStoreTest, ConcurrentReadModifyWritesLoseNoUpdate)
{
    constexpr int kRounds = 150, kThreads = 3, kProcesses = 2;
    ASSERT_TRUE(SetValue(kCounterItem, 0));
    SetEnvironmentVariableA("PELLIX_TEST_INCREMENTS", std::to_string(kRounds).c_str());
    std::vector<std::thread> workers;
    std::vector<boardtest::ProcessResult> children(kProcesses);
    for (int p = 0; p < kProcesses; ++p)
        workers.emplace_back([&children, p] {
            char path[MAX_PATH];
            GetModuleFileNameA(nullptr, path, sizeof path);
            std::string exe = path;
            children[p] = boardtest::Run(exe.substr(exe.find_last_of('\\') + 1),
                                         "--gtest_filter=BoardStoreWorker.DISABLED_Increment "
                                         "--gtest_also_run_disabled_tests");
        });
    std::atomic<int> failures{0};
    for (int t = 0; t < kThreads; ++t)
        workers.emplace_back([&failures] {
            for (int i = 0; i < kRounds; ++i)
                if (!BoardStore().Update([](BoardState& state) {
                        ++state.Find(kCounterItem)->value;
                        return true;
                    }))
                    ++failures;
        });
    for (std::thread& worker : workers)
        worker.join();
    for (const boardtest::ProcessResult& child : children)
        EXPECT_EQ(child.exitCode, 0u) << child.out << child.err;
    EXPECT_EQ(failures.load(), 0);
    EXPECT_EQ(Value(kCounterItem), uint32_t(kRounds * (kThreads + kProcesses)));
    EXPECT_FALSE(Traced("rebuilt")) << "the state never looked damaged";
}

} // namespace


TEST_F(BoardStoreTest, AStateReplacedBehindTheStoreIsReadAsItStands)
{
    ASSERT_TRUE(SetValue(kCounterItem, 41));
    // A state put in place behind this process's back, as another program would.
    BoardState state;
    ASSERT_TRUE(BoardStore().Read(state));
    state.Find(kCounterItem)->value = 99;
    ASSERT_TRUE(vboard::ReplaceFileText(kStatePath, vboard::EncodeState(state)));
    EXPECT_EQ(Value(kCounterItem), 99u);
    // And back to the text this process read before: still read as it stands.
    state.Find(kCounterItem)->value = 41;
    ASSERT_TRUE(vboard::ReplaceFileText(kStatePath, vboard::EncodeState(state)));
    EXPECT_EQ(Value(kCounterItem), 41u);
}

TEST(FileTextTest, EveryReplacementGetsALaterStampThanTheOneItReplaces)
{
    const std::string path = kStatePath + ".stamps";
    ASSERT_TRUE(vboard::ReplaceFileText(path, std::string(64, '-')));
    // The file's time an hour ahead of the clock, as after the clock was put
    // back: the file system's own times would now go backwards, and could
    // meet a stamp a reader has kept.
    {
        HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                  nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        FILETIME now;
        GetSystemTimeAsFileTime(&now);
        ULARGE_INTEGER ahead{{now.dwLowDateTime, now.dwHighDateTime}};
        ahead.QuadPart += 3600ull * 10000000ull;
        const FILETIME later{ahead.LowPart, ahead.HighPart};
        EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &later));
        CloseHandle(file);
    }
    vboard::FileStamp previous;
    ASSERT_TRUE(vboard::ReadFileStamp(path, previous));
    // Versions of one size, written faster than a coarse file-system clock
    // moves: only their stamps tell them apart.
    for (char version = 'a'; version <= 'h'; ++version) {
        vboard::FileStamp written, seen, read;
        ASSERT_TRUE(vboard::ReplaceFileText(path, std::string(64, version), &written));
        EXPECT_GT(written.lastWrite, previous.lastWrite) << version;
        ASSERT_TRUE(vboard::ReadFileStamp(path, seen));
        EXPECT_EQ(seen, written) << "the stamp the writer reported is the file's";
        std::string text;
        ASSERT_TRUE(vboard::ReadFileText(path, text, &read));
        EXPECT_EQ(read, written);
        EXPECT_EQ(text, std::string(64, version));
        previous = written;
    }
    DeleteFileA(path.c_str());
    vboard::FileStamp gone;
    EXPECT_FALSE(vboard::ReadFileStamp(path, gone));
}

TEST_F(BoardStoreTest, ReadersOfAnUnchangedStateDoNotWaitForTheLock)
{
    ASSERT_TRUE(SetValue(kCounterItem, 5));
    ASSERT_EQ(Value(kCounterItem), 5u);
    // Another thread holds the board lock, as a writer in the middle of a
    // change would.
    std::promise<void> locked, release;
    std::thread holder([&] {
        vboard::BoardLock lock(kStatePath);
        locked.set_value();
        release.get_future().wait();
    });
    locked.get_future().wait();
    auto reader = std::async(std::launch::async, [] { return Value(kCounterItem); });
    const bool answered = reader.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    release.set_value();
    holder.join();
    EXPECT_TRUE(answered) << "the reader waited for the lock";
    EXPECT_EQ(reader.get(), 5u);
}

// Without the test variable the state lives in the common application data
// folder, the one every program of the board and boardctl find alike.
TEST(BoardStatePath, DefaultIsInTheCommonApplicationDataFolder)
{
    char own[MAX_PATH * 2] = {};
    GetEnvironmentVariableA("PELLIX_BOARD_STATE", own, sizeof own);
    SetEnvironmentVariableA("PELLIX_BOARD_STATE", nullptr);
    const std::string path = vboard::StatePath();
    SetEnvironmentVariableA("PELLIX_BOARD_STATE", own);

    char folder[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder)));
    EXPECT_EQ(path, std::string(folder) + "\\VANTOR\\VirtualBoard\\board.state");
    EXPECT_EQ(vboard::StatePath(), own);
}
