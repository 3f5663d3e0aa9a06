// The main window's graphics-card button in the running program: it opens
// the form telling that no supported card was found, so it is disabled
// exactly while a connected companion saves with the board.

#include "tests/mainwin/ProgramRig.h"
#include "tests/pipes/PipeTestSupport.h"

#include <gtest/gtest.h>

using namespace programtest;

namespace {

// The button's place on the main window's layout.
constexpr RECT kVgaButton{147, 76, 147 + 80, 76 + 70};

struct Search {
    HWND parent;
    HWND found;
};

BOOL CALLBACK FindAtVgaButtonPlace(HWND child, LPARAM context)
{
    auto* search = reinterpret_cast<Search*>(context);
    char name[64] = {};
    GetClassNameA(child, name, sizeof name);
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, search->parent, reinterpret_cast<POINT*>(&rect), 2);
    if (std::string(name) == "VtButton" && EqualRect(&rect, &kVgaButton))
        search->found = child;
    return TRUE;
}

HWND VgaButton(HWND window)
{
    Search search{window, nullptr};
    EnumChildWindows(window, FindAtVgaButtonPlace, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

constexpr DWORD kFollowMs = 15000;

} // namespace

TEST(VgaButton, DisabledExactlyWhileTheCompanionSavesWithTheBoard)
{
    ResetProgramRegistry();
    // Without the boost driver the graphics card is the companion's.
    DeleteValue("Software\\VANTOR\\Gruvo Driver", "Version");
    Program program("");
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(Eventually([&] { return IsWindowVisible(program.Window()) != 0; }, 10000));
    const HWND button = VgaButton(program.Window());
    ASSERT_NE(button, nullptr);
    const auto enabled = [&] { return IsWindowEnabled(button) != 0; };
    const auto disabled = [&] { return IsWindowEnabled(button) == 0; };
    EXPECT_TRUE(enabled()) << "no card connected";

    // The companion saves in both saving modes and follows the board.
    pipetest::PeerProcess companion("vgacompanion.exe", "--caps 3 --sync 1 --mode 0");
    EXPECT_TRUE(Eventually(disabled, kFollowMs)) << "connected and following";
    companion.Control("sync off");
    EXPECT_TRUE(Eventually(enabled, kFollowMs)) << "no longer following";
    companion.Control("sync on");
    EXPECT_TRUE(Eventually(disabled, kFollowMs)) << "following again";
    companion.Control("quit");
    EXPECT_TRUE(Eventually(enabled, kFollowMs)) << "disconnected";
}
