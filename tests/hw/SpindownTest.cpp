// The spin-down adapter over VtSpindownTimeout.dll.

#include "board/core/BoardStore.h"
#include "hw/SpindownTimeout.h"
#include "tests/board/support/BoardTestSupport.h"
#include "tests/fan/FanTestBoard.h"

#include <gtest/gtest.h>

namespace {

TEST(SpindownTest, SetsTheTimeAndReportsAMissingLibrary)
{
    fantest::LoadBoard("current");
    kelp::SpindownTimeout library(boardtest::RuntimeFolder());
    library.SetSpindownTimeout(1200);
    vboard::BoardState state;
    ASSERT_TRUE(vboard::BoardStore().Read(state));
    EXPECT_EQ(state.KnobWord("spindown_timeout", 0), 1200u);

    boardtest::MessageBoxCatcher boxes;
    kelp::SpindownTimeout missing(boardtest::RuntimeFolder() + "NoSuchFolder\\");
    missing.SetSpindownTimeout(5); // does nothing
    for (int wait = 0; wait < 100 && boxes.Messages().empty(); ++wait)
        Sleep(50);
    auto messages = boxes.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "Pellix");
    EXPECT_EQ(messages[0].text, "Can not load VtSpindownTimeout.dll");
}

TEST(SpindownTest, LibraryWithoutTheExportsIsReported)
{
    // Another library under the spin-down library's name.
    const std::string folder = boardtest::RuntimeFolder() + "spindown-impostor\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA((boardtest::RuntimeFolder() + "VtIo.dll").c_str(),
                          (folder + "VtSpindownTimeout.dll").c_str(), FALSE));
    boardtest::MessageBoxCatcher boxes;
    kelp::SpindownTimeout impostor(folder);
    impostor.SetSpindownTimeout(5); // does nothing
    auto messages = boxes.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "Pellix");
    EXPECT_EQ(messages[0].text, "Can not attach the function of VtSpindownTimeout.dll");
}

} // namespace
