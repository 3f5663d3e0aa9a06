// Gives this test executable a virtual board of its own: the state file is
// named before the first board call, fresh for every run.

#include <windows.h>

#include <string>

namespace {

bool UseOwnBoardState()
{
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string path =
        std::string(folder) + "pellix-test-engine-" + std::to_string(GetCurrentProcessId()) + ".state";
    DeleteFileA(path.c_str());
    return SetEnvironmentVariableA("PELLIX_BOARD_STATE", path.c_str()) != 0;
}

const bool boardStateNamed = UseOwnBoardState();

} // namespace
