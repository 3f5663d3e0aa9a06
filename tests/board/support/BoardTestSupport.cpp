#include "tests/board/support/BoardTestSupport.h"

#include <cstring>

namespace boardtest {

std::string UseOwnBoardState(const char* tag)
{
    // A child of this test process (death test, worker) marks nothing new:
    // it finds the state its parent named and uses that board.
    char inherited[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("PELLIX_TEST_PARENT_BOARD", inherited, sizeof inherited);
    if (length > 0 && length < sizeof inherited)
        return inherited;
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    std::string path = std::string(folder) + "pellix-test-" + tag + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                       std::to_string(GetTickCount()) + ".state";
    DeleteFileA(path.c_str());
    SetEnvironmentVariableA("PELLIX_BOARD_STATE", path.c_str());
    SetEnvironmentVariableA("PELLIX_TEST_PARENT_BOARD", path.c_str());
    return path;
}

std::string RuntimeFolder()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

uint64_t FileIndex(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = file != INVALID_HANDLE_VALUE && GetFileInformationByHandle(file, &info);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    return known ? (uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow : 0;
}

std::string WriteProfile(const std::string& name, const std::string& text)
{
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    std::string path = std::string(folder) + "pellix-profile-" + std::to_string(GetCurrentProcessId()) + "-" + name +
                       ".ini";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr);
    CloseHandle(file);
    return path;
}

namespace {
// Appends what the pipe holds now, without waiting for more.
void ReadAvailable(HANDLE pipe, std::string& text)
{
    char chunk[4096];
    DWORD available = 0;
    DWORD read = 0;
    while (PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available > 0 &&
           ReadFile(pipe, chunk, available < sizeof chunk ? available : DWORD(sizeof chunk), &read, nullptr) && read > 0)
        text.append(chunk, read);
}

// Reads both pipes until the process ends. The end of the process, not of
// the pipes, is what counts: a process the child starts (Wine's desktop
// process, when the child makes the first window of a fresh prefix)
// inherits the pipes and keeps them open.
void Collect(HANDLE process, HANDLE out, HANDLE err, ProcessResult& result)
{
    for (;;) {
        const bool ended = WaitForSingleObject(process, 10) == WAIT_OBJECT_0;
        ReadAvailable(out, result.out);
        ReadAvailable(err, result.err);
        if (ended)
            break;
    }
    // Text-mode output ends lines with CR LF; compare as plain lines.
    std::erase(result.out, '\r');
    std::erase(result.err, '\r');
}

// The current environment block without GTEST_OUTPUT.
std::vector<char> ChildEnvironment()
{
    std::vector<char> block;
    char* strings = GetEnvironmentStringsA();
    for (const char* entry = strings; *entry; entry += std::strlen(entry) + 1)
        if (_strnicmp(entry, "GTEST_OUTPUT=", 13) != 0)
            block.insert(block.end(), entry, entry + std::strlen(entry) + 1);
    FreeEnvironmentStringsA(strings);
    block.push_back('\0');
    return block;
}
} // namespace

ProcessResult Run(const std::string& program, const std::string& arguments)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE outRead, outWrite, errRead, errWrite;
    CreatePipe(&outRead, &outWrite, &inherit, 0);
    CreatePipe(&errRead, &errWrite, &inherit, 0);
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = outWrite;
    startup.hStdError = errWrite;
    PROCESS_INFORMATION process{};
    std::string path = RuntimeFolder() + program;
    std::string commandLine = "\"" + path + "\" " + arguments;
    std::vector<char> environment = ChildEnvironment();
    ProcessResult result;
    BOOL started = CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, environment.data(),
                                  nullptr, &startup, &process);
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    if (!started) {
        result.exitCode = DWORD(-1);
        result.err = "cannot start " + path;
    } else {
        Collect(process.hProcess, outRead, errRead, result);
        GetExitCodeProcess(process.hProcess, &result.exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(outRead);
    CloseHandle(errRead);
    return result;
}

namespace {
BOOL CALLBACK CollectMessageBox(HWND window, LPARAM boxes)
{
    DWORD process = 0;
    char name[16] = {};
    GetWindowThreadProcessId(window, &process);
    GetClassNameA(window, name, sizeof name);
    if (process == GetCurrentProcessId() && std::strcmp(name, "#32770") == 0)
        reinterpret_cast<std::vector<HWND>*>(boxes)->push_back(window);
    return TRUE;
}
} // namespace

MessageBoxCatcher::MessageBoxCatcher() : watcher_([this] { Watch(); }) {}

MessageBoxCatcher::~MessageBoxCatcher()
{
    stop_ = true;
    watcher_.join();
}

std::vector<MessageBoxCatcher::Message> MessageBoxCatcher::Messages()
{
    std::lock_guard<std::mutex> guard(lock_);
    return messages_;
}

void MessageBoxCatcher::Watch()
{
    std::vector<HWND> handled;
    while (!stop_) {
        std::vector<HWND> boxes;
        EnumWindows(CollectMessageBox, reinterpret_cast<LPARAM>(&boxes));
        for (HWND box : boxes) {
            bool seen = false;
            for (HWND old : handled)
                seen = seen || old == box;
            // Not yet complete while the box is still being built.
            if (seen || !GetDlgItem(box, 0xFFFF))
                continue;
            char caption[256] = {}, text[1024] = {};
            GetWindowTextA(box, caption, sizeof caption);
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            {
                std::lock_guard<std::mutex> guard(lock_);
                messages_.push_back({caption, text});
            }
            handled.push_back(box);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
        // A closed box's handle may be reused by the next one.
        std::vector<HWND> alive;
        for (HWND old : handled)
            if (IsWindow(old))
                alive.push_back(old);
        handled.swap(alive);
        Sleep(10);
    }
}

} // namespace boardtest
