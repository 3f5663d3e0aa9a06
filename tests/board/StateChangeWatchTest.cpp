#include "board/core/StateChangeWatch.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

namespace {

std::string FreshFolder(const char* tag)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "pellix-watch-" + tag + "-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void Touch(const std::string& path, const char* text)
{
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, text, DWORD(strlen(text)), &written, nullptr);
    CloseHandle(file);
}

// A rearmed watch reports each later change once, and is quiet between.
TEST(StateChangeWatch, ReportsEachChangeAfterItIsRearmed)
{
    const std::string folder = FreshFolder("changes");
    const std::string state = folder + "\\board.state";
    vboard::StateChangeWatch watch(state);
    ASSERT_TRUE(watch.Watching());
    EXPECT_FALSE(watch.Wait(0));
    for (const char* text : {"first", "second"}) {
        Touch(state, text);
        EXPECT_TRUE(watch.Wait(2000)) << text;
        Sleep(50); // notifications of the same write still on their way
        watch.Rearm();
        EXPECT_FALSE(watch.Wait(0)) << text;
    }
    DeleteFileA(state.c_str());
    RemoveDirectoryA(folder.c_str());
}

} // namespace
