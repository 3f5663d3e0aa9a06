#include "board/core/BoardStore.h"
#include "tests/board/support/BoardTestSupport.h"

#include <gtest/gtest.h>

namespace {
using boardtest::ProcessResult;

class BoardctlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(vboard::BoardStore().LoadProfile("current", error)) << error;
    }
    static ProcessResult Boardctl(const std::string& arguments) { return boardtest::Run("boardctl.exe", arguments); }
};

TEST_F(BoardctlTest, ErrorsAreOneLineOnStderrWithAnExitCode)
{
    struct Case {
        const char* arguments;
        DWORD exitCode;
        const char* message;
    } cases[] = {
        {"", 2, "usage: boardctl show"},
        {"frob", 2, "boardctl: unknown command or wrong operands: frob\n"},
        {"get", 2, "unknown command or wrong operands: get"},
        {"set 0x0B060010", 2, "unknown command or wrong operands: set"},
        {"get zz", 1, "boardctl: bad item identifier 'zz'\n"},
        {"get 0x123456789", 1, "boardctl: bad item identifier '0x123456789'\n"},
        {"get 0x7F000001", 1, "boardctl: item 0x7F000001 is not on this board\n"},
        {"set 0x0B060010 five", 1, "boardctl: bad value 'five'\n"},
        {"set 0x0B060010 5", 1, "boardctl: value 5 is outside the range of item 0x0B060010 (0..4)\n"},
        {"set 0x7F000001 1", 1, "boardctl: item 0x7F000001 is not on this board\n"},
        {"load no-such-profile", 1, "boardctl: cannot read profile "},
    };
    for (const Case& c : cases) {
        ProcessResult result = Boardctl(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << c.arguments << " -> " << result.err;
        EXPECT_EQ(result.out, "") << c.arguments;
    }
}

TEST_F(BoardctlTest, SetAcceptsDecimalAndHexAndReachesReadOnlyItems)
{
    ASSERT_EQ(Boardctl("set 184942608 4").exitCode, 0u); // 0x0B060010
    EXPECT_EQ(Boardctl("get 0x0b060010").out, "0x00000004\n");
    ProcessResult set = Boardctl("set 0x09080000 0");
    EXPECT_EQ(set.exitCode, 0u) << set.err;
    EXPECT_EQ(Boardctl("get 151519232").out, "0x00000000\n"); // 0x09080000
    EXPECT_EQ(Boardctl("set 0x0B060001 -1").exitCode, 0u);
    EXPECT_EQ(Boardctl("get 0x0B060001").out, "0xFFFFFFFF\n");
}

TEST_F(BoardctlTest, KnobsAreSetReadAndCheckedForTheirOneLine)
{
    ASSERT_EQ(Boardctl("knob vga_set_mode_delay_ms 8000").exitCode, 0u);
    EXPECT_EQ(Boardctl("knob vga_set_mode_delay_ms").out, "8000\n");
    ASSERT_EQ(Boardctl("knob vga_set_mode_delay_ms 0").exitCode, 0u);
    vboard::BoardState state; // where the simulated libraries and peers read it
    ASSERT_TRUE(vboard::BoardStore().Read(state));
    EXPECT_EQ(state.Knob("vga_set_mode_delay_ms"), std::optional<std::string>("0"));
    const ProcessResult missing = Boardctl("knob no_such_knob");
    EXPECT_EQ(missing.exitCode, 1u);
    EXPECT_EQ(missing.err, "boardctl: knob no_such_knob is not set\n");
    EXPECT_EQ(Boardctl("knob a=b 1").exitCode, 1u);
}

TEST_F(BoardctlTest, LoadShowAndItemsDescribeTheBoard)
{
    ProcessResult load = Boardctl("load legacy");
    ASSERT_EQ(load.exitCode, 0u) << load.err;
    ProcessResult show = Boardctl("show");
    EXPECT_NE(show.out.find("profile: legacy\n"), std::string::npos) << show.out;
    EXPECT_NE(show.out.find("interface version: 2 (0x02000000)\n"), std::string::npos);
    EXPECT_NE(show.out.find("0x0B060003  number   0x00000001  Gear Capability (read-only)\n"), std::string::npos);
    EXPECT_EQ(show.out.find("0x0E0A0019"), std::string::npos) << "legacy boards have three thresholds";

    ASSERT_EQ(Boardctl("load current").exitCode, 0u);
    ASSERT_EQ(Boardctl("set 0x03030061 6").exitCode, 0u);
    ProcessResult items = Boardctl("items");
    ASSERT_EQ(items.exitCode, 0u) << items.err;
    for (const char* line : {
             "0x03030061  number   0x00000006  0.9750          Graphics Core Voltage\n",
             "0x03010060  number   0x00000000  Auto            Graphics Core Clock\n",
             "0x0B060021  number   0x00000000  1.100           North Bridge Voltage\n",
             "0x03000011  number   0x0000014D  133.3           CPU Base Clock\n",
             "0x04080011  string   0x00000000  Standard        CPU Fan Profile\n",
             "0x04070010  boolean  0x00000001  on              CPU Fan Control\n",
         })
        EXPECT_NE(items.out.find(line), std::string::npos) << line << items.out;
}

} // namespace
