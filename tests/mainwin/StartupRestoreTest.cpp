// The start at log-on: High Performance at once, the last mode a minute
// later under the CheckSafeFlag guard, which only a really ending session
// clears.

#include "tests/mainwin/ProgramRig.h"

#include <gtest/gtest.h>

using namespace programtest;

namespace {
constexpr DWORD kRestoreDelayMs = 60000;

std::optional<DWORD> CheckSafeFlag()
{
    return ReadDword(kAdvanceKey, "CheckSafeFlag");
}
} // namespace

TEST(StartupRestore, LogOnRestoresTheLastModeAMinuteLaterUntilTheSessionEnds)
{
    ResetProgramRegistry();
    WriteDword(kRootKey, "LastMode", 0x4000);
    SetBoardItem(kGearLevelItem, 2);
    const DWORD started = GetTickCount();
    Program program("-b");
    ASSERT_TRUE(program.Started());

    ASSERT_TRUE(WaitForLevel(0)) << "High Performance first";
    EXPECT_EQ(ReadDword(kRootKey, "LastMode"), DWORD(0x4000)) << "the neutral level is not recorded";
    EXPECT_EQ(CheckSafeFlag(), DWORD(1));
    EXPECT_EQ(BoardItem(kGearEnableItem), 1u);

    const DWORD elapsed = GetTickCount() - started;
    if (elapsed < kRestoreDelayMs - 8000)
        Sleep(kRestoreDelayMs - 8000 - elapsed);
    EXPECT_EQ(BoardItem(kGearLevelItem), 0u) << "restored before the minute was up";
    ASSERT_TRUE(WaitForLevel(0x4000, 25000)) << "Turbo a minute after the start";
    EXPECT_EQ(CheckSafeFlag(), DWORD(1));

    // A cancelled shutdown: the session and the program go on.
    DWORD_PTR result = 0;
    ASSERT_TRUE(SendMessageTimeoutA(program.Window(), WM_ENDSESSION, FALSE, 0, SMTO_NORMAL, 5000, &result));
    EXPECT_EQ(CheckSafeFlag(), DWORD(1));
    EXPECT_EQ(BoardItem(kGearLevelItem), 0x4000u);
    EXPECT_EQ(BoardItem(kGearEnableItem), 1u);

    ASSERT_TRUE(SendMessageTimeoutA(program.Window(), WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 5000, &result));
    EXPECT_EQ(CheckSafeFlag(), DWORD(0));
    EXPECT_EQ(BoardItem(kGearLevelItem), 0u);
    EXPECT_EQ(BoardItem(kGearEnableItem), 0u);
}

TEST(StartupRestore, LogOnAfterAnUnfinishedSessionStaysInHighPerformance)
{
    ResetProgramRegistry();
    WriteDword(kAdvanceKey, "CheckSafeFlag", 1);
    WriteDword(kRootKey, "LastMode", 2);
    SetBoardItem(kGearLevelItem, 1);
    Program program("-b");
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(WaitForLevel(0));
    EXPECT_TRUE(Eventually([] { return CheckSafeFlag() == DWORD(0); }, 5000));
    Sleep(kRestoreDelayMs + 5000);
    EXPECT_EQ(BoardItem(kGearLevelItem), 0u) << "the last mode was restored after all";
    EXPECT_EQ(ReadDword(kRootKey, "LastMode"), DWORD(2));
}

TEST(StartupRestore, PlainStartSetsHighPerformanceWithoutTheGuard)
{
    ResetProgramRegistry();
    WriteDword(kRootKey, "LastMode", 1);
    SetBoardItem(kGearLevelItem, 2);
    Program program("");
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(WaitForLevel(0));
    EXPECT_EQ(CheckSafeFlag(), DWORD(0));
}
