// The main window's message decoding, its size guard and the session end.

#include "app/BroadcastMessage.h"
#include "app/SessionEnd.h"
#include "app/StartupChecks.h"
#include "app/WindowSizeGuard.h"
#include "board/core/BoardStore.h"
#include "kelp/System/WinRegistry.h"
#include "tests/board/support/BoardTestSupport.h"

#include <gtest/gtest.h>

namespace {

const std::string boardState = boardtest::UseOwnBoardState("mainwin-messages");
// No graphics-boost driver, whatever an earlier test in this Wine prefix
// installed; the boost looks for it once per process.
const LSTATUS boostDriverRemoved = RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, "Software\\VANTOR\\Gruvo Driver", "Version");

constexpr const char* kAdvanceKey = "Software\\VANTOR\\Tamsel3\\Advance";
constexpr uint32_t kGearLevel = 0x0B060001;
constexpr uint32_t kGearEnable = 0x0B060002;

uint32_t BoardValue(uint32_t id)
{
    vboard::BoardState state;
    EXPECT_TRUE(vboard::BoardStore().Read(state));
    const vboard::BoardItem* item = state.Find(id);
    return item ? item->value : 0xFFFFFFFF;
}

void SetBoardValue(uint32_t id, uint32_t value)
{
    ASSERT_TRUE(vboard::BoardStore().Update([&](vboard::BoardState& state) {
        state.Find(id)->value = value;
        return true;
    }));
}

DWORD CheckSafeFlag()
{
    kelp::RegistryKeyReader key;
    DWORD value = 0xFFFFFFFF;
    key.Open(HKEY_LOCAL_MACHINE, kAdvanceKey) && key.ReadDword("CheckSafeFlag", value);
    return value;
}

} // namespace

TEST(Broadcast, OnlyTaggedRefreshRequestsOfTheRegisteredMessageCount)
{
    const UINT number = BroadcastMessageNumber();
    ASSERT_NE(number, 0u);
    EXPECT_EQ(BroadcastMessageNumber(), number) << "registered once";
    EXPECT_EQ(DecodeBroadcast(number, number, 0x2255), BroadcastRequest::Refresh);
    EXPECT_EQ(DecodeBroadcast(number, number, 0x2355), BroadcastRequest::RefreshTray);
    EXPECT_EQ(DecodeBroadcast(number, number, 0x12255), BroadcastRequest::Refresh) << "bits above 15 do not matter";
    EXPECT_EQ(DecodeBroadcast(number, number, 0x2254), BroadcastRequest::None) << "untagged";
    EXPECT_EQ(DecodeBroadcast(number, number, 0x2455), BroadcastRequest::None);
    EXPECT_EQ(DecodeBroadcast(number, WM_USER + 8, 0x2255), BroadcastRequest::None);
    EXPECT_EQ(DecodeBroadcast(0, 0, 0x2255), BroadcastRequest::None) << "no registered number";
}

TEST(SizeGuard, TheOuterSizeFollowsTheBackgroundAndAKeptSizeIsLeftAlone)
{
    WINDOWPOS position{};
    position.cx = 800;
    position.cy = 600;
    // Frame of 8 by 30 pixels around a 400 by 300 background.
    EXPECT_TRUE(KeepBackgroundSize(position, {528, 390}, {520, 360}, {400, 300}));
    EXPECT_EQ(position.cx, 408);
    EXPECT_EQ(position.cy, 330);
    EXPECT_FALSE(KeepBackgroundSize(position, {408, 330}, {400, 300}, {400, 300})) << "already right";

    WINDOWPOS moveOnly{};
    moveOnly.flags = SWP_NOSIZE;
    moveOnly.cx = 1;
    EXPECT_FALSE(KeepBackgroundSize(moveOnly, {528, 390}, {520, 360}, {400, 300}));
    EXPECT_EQ(moveOnly.cx, 1);
}

TEST(SessionEnd, OnlyASessionThatEndsClearsTheGuardAndReleasesTheGear)
{
    kelp::RegistryKey key;
    ASSERT_TRUE(key.Open(HKEY_LOCAL_MACHINE, kAdvanceKey, true) && key.WriteDword("CheckSafeFlag", 1));
    SetBoardValue(kGearLevel, 0x4000);
    SetBoardValue(kGearEnable, 1);

    OnEndSession(false);
    EXPECT_EQ(CheckSafeFlag(), 1u) << "a cancelled shutdown cleared the guard";
    EXPECT_EQ(BoardValue(kGearLevel), 0x4000u);
    EXPECT_EQ(BoardValue(kGearEnable), 1u);

    OnEndSession(true);
    EXPECT_EQ(CheckSafeFlag(), 0u);
    EXPECT_EQ(BoardValue(kGearLevel), 0u);
    EXPECT_EQ(BoardValue(kGearEnable), 0u);

    SetBoardValue(kGearLevel, 2);
    ReleaseGearUnlessOverclocked(true);
    EXPECT_EQ(BoardValue(kGearLevel), 2u) << "the overclocking utility owns the gear";
}

TEST(GruvoNotice, ABoostBoardWithoutTheDriverIsToldOnce)
{
    // This board has the boost items and the registry no driver.
    EXPECT_TRUE(IsGruvoMissing());
    EXPECT_TRUE(IsGruvoMissing()) << "asking is not telling";
    MarkGruvoNoticeShown();
    EXPECT_FALSE(IsGruvoMissing());
}
