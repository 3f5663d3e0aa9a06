// The running main window worked with the keyboard alone: keys arrive as
// input from the system, the focus is read as a screen reader reads it.

#include "tests/mainwin/AccessibleClient.h"
#include "tests/mainwin/ProgramRig.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace programtest;
using accclient::Accessible;

namespace {

// The key pressed and released, with a modifier (VK_MENU for Alt) held
// around it when one is given.
void PressKey(WORD key, WORD modifier = 0)
{
    std::vector<INPUT> input;
    const auto stroke = [&](WORD vk, DWORD flags) {
        INPUT one{};
        one.type = INPUT_KEYBOARD;
        one.ki.wVk = vk;
        one.ki.dwFlags = flags;
        input.push_back(one);
    };
    if (modifier)
        stroke(modifier, 0);
    stroke(key, 0);
    stroke(key, KEYEVENTF_KEYUP);
    if (modifier)
        stroke(modifier, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

// The focused control's node, empty while none of the window's has it.
Accessible Focused(const Accessible& window)
{
    for (const Accessible& node : accclient::Descendants(window))
        if (node.State() != -1 && (node.State() & STATE_SYSTEM_FOCUSED) && node.Role() != ROLE_SYSTEM_CLIENT)
            return node;
    return Accessible();
}

// Presses the key until the focused control is the one wanted; false
// after `most` presses without it.
bool PressUntilFocused(WORD key, const Accessible& window, int most, const std::function<bool(const Accessible&)>& wanted)
{
    for (int i = 0; i < most; ++i) {
        PressKey(key);
        if (Eventually([&] { const Accessible f = Focused(window); return f && wanted(f); }, 500))
            return true;
    }
    return false;
}

// The program in High Performance with its main window in front, the
// keyboard's, and read as a screen reader reads it.
class KeyboardMainWindow : public testing::Test {
protected:
    void SetUp() override
    {
        ResetProgramRegistry();
        pellix_ = std::make_unique<Program>("");
        ASSERT_TRUE(pellix_->Started());
        ASSERT_TRUE(WaitForLevel(0));
        const HWND window = pellix_->Window();
        ASSERT_TRUE(Eventually([&] { return IsWindowVisible(window) != 0; }, 10000));
        SetForegroundWindow(window);
        ASSERT_TRUE(Eventually([&] { return GetForegroundWindow() == window; }, 5000));
        tree_ = accclient::FromWindow(window);
        ASSERT_TRUE(tree_);
    }

    accclient::Apartment apartment_;
    std::unique_ptr<Program> pellix_;
    Accessible tree_;
};

} // namespace

TEST_F(KeyboardMainWindow, TabReachesTheModeGroupArrowsMoveInItAndSpaceChoosesAsAClickDoes)
{
    const Accessible& tree = tree_;
    const auto isRadio = [](const Accessible& node) { return node.Role() == ROLE_SYSTEM_RADIOBUTTON; };
    EXPECT_TRUE(Eventually([&] { const Accessible f = Focused(tree); return f && f.Name() == L"High Performance Mode"; },
                           5000))
        << "the window opens at the running mode";
    ASSERT_TRUE(PressUntilFocused(VK_TAB, tree, 20, isRadio)) << "Tab never reached the mode group";
    EXPECT_EQ(Focused(tree).Name(), L"High Performance Mode") << "the group is entered at the running mode";
    EXPECT_EQ(BoardItem(kGearLevelItem), 0u) << "entering the group chooses nothing";

    ASSERT_TRUE(PressUntilFocused(VK_RIGHT, tree, 4,
                                  [](const Accessible& node) { return node.Name() == L"Max. Power Saving Mode"; }));
    EXPECT_EQ(BoardItem(kGearLevelItem), 0u) << "moving within the group chooses nothing";
    PressKey(VK_SPACE);
    EXPECT_TRUE(WaitForLevel(2)) << "the board follows the key";
    EXPECT_TRUE(Eventually([] { return ReadDword(kRootKey, "LastMode") == DWORD(2); }, kModeChangeMs));
}

TEST_F(KeyboardMainWindow, EscapeAnswersTheQuestionAsItsCloseButtonAndTheFocusReturnsToTheModeButton)
{
    const Accessible& tree = tree_;
    Program& pellix = *pellix_;
    const auto isRadio = [](const Accessible& node) { return node.Role() == ROLE_SYSTEM_RADIOBUTTON; };
    ASSERT_TRUE(PressUntilFocused(VK_TAB, tree, 20, isRadio));
    ASSERT_TRUE(PressUntilFocused(VK_LEFT, tree, 4, [](const Accessible& node) { return node.Name() == L"Auto"; }));

    // Without thresholds Auto offers the calibration first.
    PressKey(VK_SPACE);
    const HWND dialog = FindDialog(pellix.Process(), 10000);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(Eventually([&] { return GetForegroundWindow() == dialog; }, 5000)) << "the question takes the keyboard";
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(Eventually([&] { return IsWindowVisible(dialog) == 0; }, 5000)) << "Escape closes the question";
    EXPECT_TRUE(Eventually([&] { const Accessible f = Focused(tree); return f && f.Name() == L"Auto"; }, 5000))
        << "the focus is back on the button that asked";
    EXPECT_EQ(BoardItem(kGearLevelItem), 0u) << "closing refuses Auto";
}

TEST_F(KeyboardMainWindow, AdvancedSettingsByKeysAloneStoreANewDiskSpinDownTime)
{
    Program& pellix = *pellix_;
    ASSERT_TRUE(PressUntilFocused(VK_TAB, tree_, 25, [](const Accessible& node) {
        return node.Role() == ROLE_SYSTEM_PUSHBUTTON && node.Name() == L"Advanced Settings";
    }));
    PressKey(VK_SPACE);
    const HWND form = pellix.Process().WaitForWindow("TAdvancedSetting", 10000);
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(Eventually([&] { return IsWindowVisible(form) && GetForegroundWindow() == form; }, 10000))
        << "the settings take the keyboard when they open";
    const Accessible settings = accclient::FromWindow(form);
    ASSERT_TRUE(settings);

    const auto isDisk = [](const Accessible& node) {
        return node.Role() == ROLE_SYSTEM_COMBOBOX && node.Name() == L"Turn Off Hard Disks";
    };
    ASSERT_TRUE(PressUntilFocused(VK_TAB, settings, 30, isDisk)) << "Tab never reached the disk list";
    EXPECT_EQ(Focused(settings).Value(), L"Never") << "High Performance keeps its disks spinning";
    PressKey(VK_DOWN, VK_MENU);
    ASSERT_TRUE(Eventually([&] { return (Focused(settings).State() & STATE_SYSTEM_EXPANDED) != 0; }, 5000))
        << "Alt+Down opens the list";
    PressKey(VK_UP);
    PressKey(VK_RETURN);
    ASSERT_TRUE(Eventually([&] { return Focused(settings).Value() == L"After 5 hours"; }, 5000))
        << "Up and Enter in the open list choose the entry above";
    EXPECT_TRUE(Focused(settings).State() & STATE_SYSTEM_COLLAPSED) << "choosing closes the list";

    PressKey(VK_RETURN);
    EXPECT_TRUE(Eventually([&] { return IsWindowVisible(form) == 0; }, 5000)) << "Enter answers OK";
    EXPECT_TRUE(Eventually([] { return ReadDword(kAdvanceKey, "SpinDownTimeout_Normal") == DWORD(18000); }, 5000))
        << "the chosen time is stored for High Performance";
}
