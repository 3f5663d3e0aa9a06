#include "tests/pipes/PipeTestSupport.h"

#include "framework/system/ExecutableFolder.h"
#include "framework/system/Trace.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <mutex>

namespace pipetest {
namespace {
std::mutex& LinesLock()
{
    static std::mutex lock;
    return lock;
}

std::vector<std::string>& CapturedLines()
{
    static std::vector<std::string> lines;
    return lines;
}

// Under Wine the first window of a process waits for the desktop process;
// when a peer program that touched the desktop has just ended, that wait
// runs into a 10 s time-out. Creating the first window before any peer
// starts keeps the tests' timings meaningful.
class DesktopFirst : public testing::Environment {
public:
    void SetUp() override { sink_ = std::make_unique<MessageSink>(WM_USER); }
    void TearDown() override { sink_.reset(); }

private:
    std::unique_ptr<MessageSink> sink_;
};
[[maybe_unused]] testing::Environment* const kDesktopFirst =
    testing::AddGlobalTestEnvironment(new DesktopFirst);

void Collect(const char* line)
{
    std::lock_guard<std::mutex> guard(LinesLock());
    CapturedLines().emplace_back(line);
}
} // namespace

TraceCapture::TraceCapture()
{
    Clear();
    SetTraceObserver(&Collect);
}

TraceCapture::~TraceCapture()
{
    SetTraceObserver(nullptr);
}

std::vector<std::string> TraceCapture::Lines() const
{
    std::lock_guard<std::mutex> guard(LinesLock());
    return CapturedLines();
}

size_t TraceCapture::Count(const std::string& text) const
{
    size_t count = 0;
    for (const std::string& line : Lines())
        count += line.find(text) != std::string::npos;
    return count;
}

void TraceCapture::Clear()
{
    std::lock_guard<std::mutex> guard(LinesLock());
    CapturedLines().clear();
}

MessageSink::MessageSink(UINT message) : message_(message)
{
    static const char* className = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &MessageSink::WindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "PipeTestMessageSink";
        RegisterClassA(&windowClass);
        return windowClass.lpszClassName;
    }();
    window_ = CreateWindowExA(0, className, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

MessageSink::~MessageSink()
{
    DestroyWindow(window_);
}

LRESULT CALLBACK MessageSink::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* sink = reinterpret_cast<MessageSink*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (sink && message == sink->message_) {
        sink->received_.push_back({wParam, lParam});
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void MessageSink::Pump(DWORD ms)
{
    const double end = NowMs() + ms;
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (NowMs() < end);
}

bool MessageSink::WaitFor(WPARAM wParam, DWORD timeoutMs)
{
    const double end = NowMs() + timeoutMs;
    for (;;) {
        for (const Posted& posted : received_) {
            if (posted.wParam == wParam)
                return true;
        }
        if (NowMs() >= end)
            return false;
        Pump(10);
    }
}

PeerProcess::PeerProcess(const std::string& program, const std::string& arguments)
    : controlPipe_(UniqueName("pipetest control"))
{
    std::string commandLine = "\"";
    commandLine.append(ExecutableFolder()).append(program).append("\" --control \"");
    commandLine.append(controlPipe_).append("\" ").append(arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                       nullptr, nullptr, &startup, &info)) {
        CloseHandle(info.hThread);
        process_.Reset(info.hProcess);
        WaitForPipe(controlPipe_.c_str(), 10000);
    }
}

PeerProcess::~PeerProcess()
{
    if (IsRunning()) {
        TerminateProcess(process_.Get(), 1);
        WaitForSingleObject(process_.Get(), 5000);
    }
}

bool PeerProcess::IsRunning() const
{
    return process_.IsValid() && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

std::string PeerProcess::Control(const std::string& command) const
{
    std::vector<uint8_t> reply;
    if (!RawCall(controlPipe_.c_str(), std::vector<uint8_t>(command.begin(), command.end()), reply,
                 256, 10000))
        return {};
    return std::string(reply.begin(), reply.end());
}

int PeerProcess::WaitForExit(DWORD timeoutMs) const
{
    DWORD code = 0;
    if (!process_.IsValid() || WaitForSingleObject(process_.Get(), timeoutMs) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process_.Get(), &code))
        return -1;
    return static_cast<int>(code);
}

BoardStateFile::BoardStateFile(const char* tag)
{
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    path_ = std::string(folder) + tag + "-" + std::to_string(GetCurrentProcessId()) + ".state";
    DeleteFileA(path_.c_str());
    SetEnvironmentVariableA("PELLIX_BOARD_STATE", path_.c_str());
}

BoardStateFile::~BoardStateFile()
{
    DeleteFileA(path_.c_str());
}

std::string RunProgram(const std::string& program, const std::string& arguments)
{
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0))
        return "cannot create an output pipe";
    kelp::OwnedHandle reader(readEnd), writer(writeEnd);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    std::string commandLine = "\"";
    commandLine.append(ExecutableFolder()).append(program).append("\" ").append(arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &startup, &info))
        return "cannot start " + program;
    kelp::OwnedHandle process(info.hProcess), thread(info.hThread);
    writer.Reset(); // the child holds the only write end now

    std::string output;
    char buffer[512];
    DWORD read = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0)
        output.append(buffer, read);
    WaitForSingleObject(info.hProcess, 10000);
    return output;
}

bool WaitForPipe(const char* name, DWORD timeoutMs)
{
    const std::string path = std::string("\\\\.\\PIPE\\") + name;
    const double end = NowMs() + timeoutMs;
    while (!WaitNamedPipeA(path.c_str(), 50)) {
        if (NowMs() >= end)
            return false;
        Sleep(10);
    }
    return true;
}

bool RawCall(const char* name, const std::vector<uint8_t>& request, std::vector<uint8_t>& reply,
             DWORD replyCapacity, DWORD timeoutMs)
{
    const std::string path = std::string("\\\\.\\PIPE\\") + name;
    reply.assign(replyCapacity, 0);
    DWORD read = 0;
    const BOOL ok = CallNamedPipeA(path.c_str(), const_cast<uint8_t*>(request.data()),
                                   static_cast<DWORD>(request.size()), reply.data(), replyCapacity,
                                   &read, timeoutMs);
    reply.resize(read);
    return ok != FALSE;
}

std::vector<uint8_t> Words(std::initializer_list<uint32_t> words)
{
    std::vector<uint8_t> bytes(words.size() * sizeof(uint32_t));
    std::memcpy(bytes.data(), words.begin(), bytes.size());
    return bytes;
}

uint32_t WordAt(const std::vector<uint8_t>& bytes, size_t index)
{
    uint32_t word = 0;
    if ((index + 1) * sizeof word <= bytes.size())
        std::memcpy(&word, bytes.data() + index * sizeof word, sizeof word);
    return word;
}

std::string UniqueName(const char* prefix)
{
    static std::atomic<int> counter{0};
    return std::string(prefix) + " " + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(counter.fetch_add(1));
}

double NowMs()
{
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

} // namespace pipetest
