#include "board/core/BoardPaths.h"
#include "board/core/BoardProfile.h"
#include "board/core/BoardStore.h"
#include "tests/board/support/BoardTestSupport.h"

#include <gtest/gtest.h>

namespace {
using vboard::BoardState;

TEST(BoardProfile, IncludedProfileIsOverriddenAndTrimmed)
{
    std::string base = boardtest::WriteProfile("base", R"(
[board]
interface=0x1|0x03000000
[knobs]
delay=5
[item 0x01000001]
name=Kept
default=7
[item 0x01000002]
name=Changed
default=1
[item 0x01000003]
name=Removed
)");
    std::string derived = boardtest::WriteProfile("derived", "[board]\ninclude=" + base + R"(
interface=0x1|0x02000000
[item 0x01000002]
default=3
[item 0x01000003]
present=0
[item 0x01080004]
texts=a|b
value=1
)");
    BoardState state;
    std::string error;
    ASSERT_TRUE(vboard::LoadProfile(derived, state, error)) << error;
    EXPECT_EQ(state.profile, derived);
    EXPECT_EQ(state.InterfaceVersion(), 2u);
    EXPECT_EQ(state.KnobWord("delay", 0), 5u);
    ASSERT_NE(state.Find(0x01000001), nullptr);
    EXPECT_EQ(state.Find(0x01000001)->value, 7u);
    ASSERT_NE(state.Find(0x01000002), nullptr);
    EXPECT_EQ(state.Find(0x01000002)->value, 3u) << "a changed default moves the value along";
    EXPECT_EQ(state.Find(0x01000002)->name, "Changed");
    EXPECT_EQ(state.Find(0x01000003), nullptr);
    ASSERT_NE(state.Find(0x01080004), nullptr);
    EXPECT_EQ(state.Find(0x01080004)->texts, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(state.Find(0x01080004)->value, 1u);
}

TEST(BoardProfile, MalformedProfilesAreRefusedWithTheirLine)
{
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {"[item 0x1]\nname=x\nvalue=abc\n", "line 3: bad number for 'value'"},
        {"[item 0x1]\ncolour=red\n", "line 2: unknown key for 'colour'"},
        {"value=1\n", "line 1: entry outside a section"},
        {"[item 0x1\n", "line 1: malformed section header"},
        {"[item nope]\n", "line 1: bad item identifier"},
        {"[item 0x1]\nexponent=200\n", "line 2: number out of range for 'exponent'"},
        {"[item 0x1]\nbase=0x800000\n", "line 2: number out of range for 'base'"},
        {"[sio]\n0x10000=1\n", "line 2: bad register address"},
        {"[board]\njust text\n", "line 2: expected key=value"},
    };
    for (const Case& c : cases) {
        BoardState state;
        state.profile = "untouched";
        std::string error;
        EXPECT_FALSE(vboard::LoadProfile(boardtest::WriteProfile("bad", c.text), state, error)) << c.text;
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
        EXPECT_EQ(state.profile, "untouched");
    }
}

TEST(BoardProfile, IncludeCyclesAndMissingFilesFail)
{
    std::string path = boardtest::WriteProfile("loop", "");
    boardtest::WriteProfile("loop", "[board]\ninclude=" + path + "\n");
    BoardState state;
    std::string error;
    EXPECT_FALSE(vboard::LoadProfile(path, state, error));
    EXPECT_NE(error.find("nest"), std::string::npos) << error;
    EXPECT_FALSE(vboard::LoadProfile("no-such-profile", state, error));
    EXPECT_NE(error.find("cannot read profile"), std::string::npos) << error;
}

// Every installed profile loads and survives the state file's round trip.
TEST(BoardProfile, InstalledProfilesRoundTripThroughTheStateFile)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((vboard::ProfileFolder() + "*.ini").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    int profiles = 0;
    do {
        std::string name = found.cFileName;
        name.resize(name.size() - 4);
        BoardState state, decoded;
        std::string error;
        ASSERT_TRUE(vboard::LoadProfile(name, state, error)) << error;
        std::string text = vboard::EncodeState(state);
        ASSERT_TRUE(vboard::DecodeState(text, decoded, error)) << name << ": " << error;
        EXPECT_EQ(vboard::EncodeState(decoded), text) << name;
        EXPECT_EQ(decoded.profile, name);
        ++profiles;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    EXPECT_GE(profiles, 2);
}

TEST(BoardProfile, DamagedStateTextIsRejected)
{
    BoardState state;
    std::string error;
    ASSERT_TRUE(vboard::LoadProfile("current", state, error)) << error;
    std::string text = vboard::EncodeState(state);
    std::string flipped = text;
    flipped[text.size() / 2] ^= 0x20;
    std::string newer = text;
    newer.replace(newer.find(' '), 2, " 9");
    struct Case {
        std::string text;
        const char* reason;
    } cases[] = {
        {text.substr(0, text.size() - 10), "truncated"},
        {text + "x", "padded"},
        {flipped, "checksum"},
        {newer, "format version 9"},
        {"garbage\n" + text, "malformed header"},
        {"", "no header"},
    };
    for (const Case& c : cases) {
        BoardState decoded;
        std::string reason;
        EXPECT_FALSE(vboard::DecodeState(c.text, decoded, reason));
        EXPECT_NE(reason.find(c.reason), std::string::npos) << reason;
    }
}

} // namespace
