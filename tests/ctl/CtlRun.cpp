#include "tests/ctl/CtlRun.h"

#include "ctl/ProgramRunner.h"
#include "framework/system/ExecutableFolder.h"
#include "ipc/OwnedHandle.h"

#include <thread>

namespace ctltest {
namespace {

// Reads the pipe to its end on a thread, so that a full pipe never stalls the child.
class Drain {
public:
    explicit Drain(HANDLE pipe) : thread_([this, pipe] {
          char buffer[4096];
          DWORD read = 0;
          while (ReadFile(pipe, buffer, sizeof buffer, &read, nullptr) && read > 0)
              text_.append(buffer, read);
      })
    {
    }
    std::string Take()
    {
        thread_.join();
        return text_;
    }

private:
    std::string text_;
    std::thread thread_;
};

} // namespace

CtlResult RunCtl(const std::vector<std::string>& args, DWORD timeoutMs)
{
    CtlResult result;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE outRead = nullptr, outWrite = nullptr, errRead = nullptr, errWrite = nullptr;
    if (!CreatePipe(&outRead, &outWrite, &inherit, 0) || !CreatePipe(&errRead, &errWrite, &inherit, 0))
        return result;
    kelp::OwnedHandle outReader(outRead), outWriter(outWrite), errReader(errRead), errWriter(errWrite);
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);

    std::vector<std::string> line{ExecutableFolder() + "pellixctl.exe"};
    line.insert(line.end(), args.begin(), args.end());
    std::string command = ctl::QuoteCommandLine(line);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = outWrite;
    startup.hStdError = errWrite;
    PROCESS_INFORMATION process{};
    const DWORD start = GetTickCount();
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        return result;
    kelp::OwnedHandle processHandle(process.hProcess), threadHandle(process.hThread);
    // Only the child holds the write ends now: the drains end with it.
    outWriter.Reset();
    errWriter.Reset();
    Drain out(outRead), err(errRead);
    if (WaitForSingleObject(process.hProcess, timeoutMs) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 255);
    else {
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        result.exitCode = int(code);
    }
    result.elapsedMs = double(GetTickCount() - start);
    result.out = out.Take();
    result.err = err.Take();
    return result;
}

} // namespace ctltest
