// What the fan side reports when its libraries or its fan library are
// missing.

#include "hw/FanChip.h"
#include "hw/VtIoLibrary.h"
#include "tests/board/support/BoardTestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string OwnName()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string name = path;
    return name.substr(name.find_last_of('\\') + 1);
}

// Run by the child process only: asks for the register access before any
// fan library exists.
TEST(FanWorker, DISABLED_AskWithoutFanLibrary)
{
    boardtest::MessageBoxCatcher boxes;
    std::printf("through bios=%d\n", kelp::FanRegistersThroughBios() ? 1 : 0);
    for (const auto& box : boxes.Messages())
        std::printf("box: %s | %s\n", box.caption.c_str(), box.text.c_str());
}

TEST(FanLibraryMessages, RegisterAccessWithoutAFanLibraryIsReportedAndGoesDirect)
{
    // The desktop starts with the first window; started by the child, it
    // would inherit, and hold open, the child's output pipe.
    DestroyWindow(CreateWindowA("STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
    boardtest::ProcessResult result = boardtest::Run(
        OwnName(), "--gtest_also_run_disabled_tests --gtest_filter=FanWorker.DISABLED_AskWithoutFanLibrary");
    ASSERT_EQ(result.exitCode, 0u) << result.err;
    EXPECT_NE(result.out.find("through bios=0\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("box: VentryLib | No instance exists\n"), std::string::npos) << result.out;
}

TEST(FanLibraryMessages, MissingPortLibraryOrExportsAreReported)
{
    {
        boardtest::MessageBoxCatcher boxes;
        kelp::VtIoLibrary none({boardtest::RuntimeFolder() + "no such folder\\"});
        EXPECT_FALSE(none.IsLoaded());
        EXPECT_EQ(none.InPortB(0x2F), 0xFF);
        auto shown = boxes.Messages();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].caption, "");
        EXPECT_EQ(shown[0].text, "Can not load VtIo.dll");
    }

    // Another library under the port library's name lacks its exports.
    const std::string folder = boardtest::RuntimeFolder() + "vtio-impostor\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA((boardtest::RuntimeFolder() + "mutevol.dll").c_str(), (folder + "VtIo.dll").c_str(), FALSE));
    {
        boardtest::MessageBoxCatcher boxes;
        kelp::VtIoLibrary impostor({folder});
        EXPECT_FALSE(impostor.IsLoaded());
        auto shown = boxes.Messages();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].caption, "");
        EXPECT_EQ(shown[0].text, "Can not get procedures in VtIO.dll");
    }
}

} // namespace
