// The capture of a hotkey: what ends a combination, what the form keeps,
// and how a combination is written.

#include "screens/automation/KeyCapture.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace automationpage;
using Outcome = KeyCapture::Outcome;

TEST(KeyCapture, ACombinationEndsAtItsFirstOrdinaryKey)
{
    KeyCapture capture;
    EXPECT_EQ(capture.KeyDown(VK_CONTROL, kModControl), Outcome::Held);
    EXPECT_EQ(capture.KeyDown(VK_MENU, kModControl | kModAlt), Outcome::Held);
    EXPECT_EQ(capture.KeyDown(VK_LWIN, kModControl | kModAlt | kModWin), Outcome::Held);
    ASSERT_EQ(capture.KeyDown('T', kModControl | kModAlt), Outcome::Taken);
    EXPECT_EQ(capture.Result(), (KeyCombination{kModControl | kModAlt, 'T'}));
    EXPECT_EQ(KeyCapture::HeldText(kModControl | kModShift), "Ctrl+Shift+");

    // Function keys may go alone or with Shift; other keys need Ctrl, Alt or Win.
    EXPECT_EQ(capture.KeyDown(VK_F9, 0), Outcome::Taken);
    EXPECT_EQ(capture.Result(), (KeyCombination{0, VK_F9}));
    EXPECT_EQ(capture.KeyDown(VK_F13, kModShift), Outcome::Taken);
    EXPECT_EQ(capture.KeyDown('A', 0), Outcome::NeedsModifier);
    EXPECT_EQ(capture.KeyDown('A', kModShift), Outcome::NeedsModifier);
    EXPECT_EQ(capture.KeyDown(VK_SPACE, 0), Outcome::NeedsModifier);
    EXPECT_EQ(capture.Result(), (KeyCombination{kModShift, VK_F13})) << "a refused key leaves the last result";
    EXPECT_EQ(capture.KeyDown('A', kModWin | kModShift), Outcome::Taken);
    // A key without a name cannot be a hotkey, whatever is held.
    EXPECT_EQ(capture.KeyDown(VK_CAPITAL, kModControl), Outcome::NeedsModifier);
}

TEST(KeyCapture, TheFormsKeysPassAndBackspaceOrDeleteClears)
{
    KeyCapture capture;
    EXPECT_EQ(capture.KeyDown(VK_TAB, 0), Outcome::PassOn);
    EXPECT_EQ(capture.KeyDown(VK_TAB, kModShift), Outcome::PassOn) << "Shift+Tab goes back";
    EXPECT_EQ(capture.KeyDown(VK_RETURN, 0), Outcome::PassOn);
    EXPECT_EQ(capture.KeyDown(VK_ESCAPE, 0), Outcome::PassOn);
    EXPECT_EQ(capture.KeyDown(VK_BACK, 0), Outcome::Cleared);
    EXPECT_EQ(capture.KeyDown(VK_DELETE, 0), Outcome::Cleared);
    // With Ctrl or Alt they are combinations like any other.
    EXPECT_EQ(capture.KeyDown(VK_DELETE, kModControl | kModShift), Outcome::Taken);
    EXPECT_EQ(capture.KeyDown(VK_TAB, kModControl), Outcome::NeedsModifier) << "Tab has no keycap name";
    EXPECT_EQ(capture.KeyDown(VK_BACK, kModAlt), Outcome::Taken);
}

TEST(KeyCapture, CombinationsAreWrittenInTheUsersModifierWords)
{
    EXPECT_EQ(CombinationText({kModControl | kModAlt, 'T'}), "Ctrl+Alt+T");
    EXPECT_EQ(CombinationText({kModWin | kModShift | kModAlt | kModControl, '7'}), "Ctrl+Alt+Shift+Win+7")
        << "always in the same order";
    EXPECT_EQ(CombinationText({0, VK_F12}), "F12");
    EXPECT_EQ(CombinationText({kModControl, VK_F24}), "Ctrl+F24");
    EXPECT_EQ(CombinationText({kModAlt, VK_NUMPAD3}), "Alt+Num 3");
    EXPECT_EQ(CombinationText({kModAlt, VK_NEXT}), "Alt+PageDown");
    EXPECT_EQ(CombinationText({kModControl, VK_OEM_MINUS}), "Ctrl+-");
    EXPECT_EQ(CombinationText({}), "");
    EXPECT_EQ(CombinationText({kModControl, VK_SHIFT}), "") << "a modifier alone is no combination";
    const ModifierNames german{"Strg", "Alt", "Umschalt", "Win"};
    EXPECT_EQ(CombinationText({kModControl | kModShift, 'M'}, german), "Strg+Umschalt+M");
    EXPECT_EQ(KeyCapture::HeldText(kModControl | kModAlt, german), "Strg+Alt+");
}
