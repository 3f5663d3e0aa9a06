#include "board/companion/PeerProgram.h"

#include "ipc/WorkerThread.h"

#include <cstdlib>
#include <cstring>

namespace kelp::board {
namespace {
constexpr DWORD kRequestCapacity = 0x4000;
constexpr DWORD kControlCapacity = 256;

std::map<std::string, std::string> ParseOptions(int argc, char** argv)
{
    std::map<std::string, std::string> options;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strncmp(argv[i], "--", 2) == 0)
            options[argv[i] + 2] = argv[i + 1];
    }
    return options;
}

ReplyStyle StartStyle(const std::map<std::string, std::string>& options)
{
    ReplyStyle style = ReplyStyle::Normal;
    if (auto found = options.find("reply"); found != options.end())
        ParseReplyStyle(found->second, style);
    return style;
}

std::vector<uint8_t> Text(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}
} // namespace

std::vector<uint8_t> Words(std::initializer_list<uint32_t> words)
{
    std::vector<uint8_t> bytes(words.size() * sizeof(uint32_t));
    std::memcpy(bytes.data(), words.begin(), bytes.size());
    return bytes;
}

PeerProgram::PeerProgram(const char* servicePipe, int argc, char** argv)
    : servicePipe_(servicePipe),
      options_(ParseOptions(argc, argv)),
      quit_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      gate_(StartStyle(options_)),
      service_([this](const uint8_t* request, DWORD size) { return ServeRequest(request, size); },
               kRequestCapacity),
      control_([this](const uint8_t* request, DWORD size) {
          return Text(HandleControl(std::string(request, request + size)));
      }, kControlCapacity)
{
}

std::string PeerProgram::Option(const std::string& name, const std::string& fallback) const
{
    auto found = options_.find(name);
    return found == options_.end() ? fallback : found->second;
}

uint32_t PeerProgram::NumberOption(const std::string& name, uint32_t fallback) const
{
    auto found = options_.find(name);
    return found == options_.end() ? fallback
                                   : static_cast<uint32_t>(std::strtoul(found->second.c_str(), nullptr, 0));
}

std::string PeerProgram::Control(const std::string&, const std::string&)
{
    return {};
}

int PeerProgram::Run()
{
    if (!quit_.IsValid() || !service_.Create(servicePipe_.c_str(), false))
        return 2;
    const std::string controlPipe = Option("control", "");
    if (!controlPipe.empty() && !control_.Create(controlPipe.c_str(), false))
        return 2;

    WorkerThread serving([this] { service_.Serve(quit_.Get()); });
    if (!serving.IsStarted())
        return 2;
    Started();
    if (controlPipe.empty()) {
        WaitForSingleObject(quit_.Get(), INFINITE);
    } else {
        // The quit event is set only after the "quit" answer went out.
        while (!quitRequested_.load())
            control_.ServeClient(quit_.Get());
        SetEvent(quit_.Get());
    }
    serving.Wait(INFINITE);
    Stopped();
    return 0;
}

std::vector<uint8_t> PeerProgram::ServeRequest(const uint8_t* request, DWORD size)
{
    ReplyStyle style;
    if (!gate_.Pass(quit_.Get(), style))
        return {};
    return Answer(request, size, style);
}

std::string PeerProgram::HandleControl(const std::string& command)
{
    const size_t space = command.find(' ');
    const std::string verb = command.substr(0, space);
    const std::string argument = space == std::string::npos ? "" : command.substr(space + 1);
    if (verb == "quit") {
        quitRequested_.store(true);
        return "ok";
    }
    if (verb == "reply") {
        ReplyStyle style;
        if (!ParseReplyStyle(argument, style))
            return "error: unknown reply style";
        gate_.Set(style);
        return "ok";
    }
    const std::string answer = Control(verb, argument);
    return answer.empty() ? "error: unknown command" : answer;
}

} // namespace kelp::board
