#include "board/companion/VgaCompanion.h"

#include "board/core/BoardStore.h"
#include "ipc/OrdunProtocol.h"
#include "kelp/System/WinPipe.h"
#include "kelp/System/WinRegistry.h"

#include <cstdlib>
#include <cstring>

namespace kelp::board {
namespace {
// How long a notification may wait for the board pipe to be free.
constexpr DWORD kNotifyWaitMs = 2000;
constexpr uint32_t kSubModeBit = 0x80000000;

// The board knob that makes the card take its time over a mode change.
constexpr const char* kSetModeDelayKnob = "vga_set_mode_delay_ms";

DWORD SetModeDelayMs()
{
    DWORD delay = 0;
    vboard::BoardStore().Inspect([&](const vboard::BoardState& state) { delay = state.KnobWord(kSetModeDelayKnob, 0); });
    return delay;
}

uint32_t WordAt(const uint8_t* bytes, size_t index)
{
    uint32_t word = 0;
    std::memcpy(&word, bytes + index * sizeof word, sizeof word);
    return word;
}
} // namespace

VgaCompanion::VgaCompanion(int argc, char** argv)
    : PeerProgram(ordun::kVgaPipeName, argc, argv),
      mode_(NumberOption("mode", 0)),
      syncEnabled_(NumberOption("sync", 1) != 0),
      capabilities_(NumberOption("caps", 3)),
      fullPower_(NumberOption("power", 45000)),
      version_(NumberOption("version", 0x00010002))
{
}

bool VgaCompanion::SavingOf(uint32_t mode, uint32_t& saving)
{
    // A set top bit carries the board's running Auto sub-level.
    const uint32_t level = (mode & kSubModeBit) ? (mode & ~kSubModeBit) : mode;
    switch (level) {
    case 0x4000: // Turbo
    case 0:      // High Performance
        saving = 0;
        return true;
    case 1:      // Medium Power Saving
    case 0x8000: // Auto, on average
        saving = 1500;
        return true;
    case 2: // Max Power Saving
        saving = 3000;
        return true;
    default:
        return false;
    }
}

uint32_t VgaCompanion::CurrentPower() const
{
    uint32_t saving = 0;
    SavingOf(mode_.load(), saving);
    return static_cast<uint32_t>(uint64_t{fullPower_} * (10000 - saving) / 10000);
}

std::vector<uint8_t> VgaCompanion::Answer(const uint8_t* request, DWORD size, ReplyStyle style)
{
    std::vector<uint8_t> reply = FullAnswer(request, size);
    if (style == ReplyStyle::Short)
        reply.resize(ordun::kResultSize);
    return reply;
}

std::vector<uint8_t> VgaCompanion::FullAnswer(const uint8_t* request, DWORD size)
{
    const std::vector<uint8_t> failed = Words({ordun::kResultFailed});
    if (size < sizeof(uint32_t))
        return failed;
    const bool hasArgument = size >= 2 * sizeof(uint32_t);
    const uint32_t argument = hasArgument ? WordAt(request, 1) : 0;
    switch (WordAt(request, 0)) {
    case ordun::kSetVgaMode:
        if (!hasArgument)
            return failed;
        if (const DWORD delay = SetModeDelayMs())
            Sleep(delay);
        mode_.store(argument);
        return Words({ordun::kResultOk});
    case ordun::kGetVgaMode:
        return Words({ordun::kResultOk, mode_.load()});
    case ordun::kQueryVgaCapability:
        return Words({ordun::kResultOk, capabilities_, CurrentPower()});
    case ordun::kGetVgaModeValue: {
        uint32_t saving = 0;
        if (!hasArgument || !SavingOf(argument, saving))
            return failed;
        return Words({ordun::kResultOk, saving});
    }
    default:
        return failed;
    }
}

std::string VgaCompanion::Control(const std::string& verb, const std::string& argument)
{
    if (verb == "mode") {
        char* end = nullptr;
        const uint32_t mode = static_cast<uint32_t>(std::strtoul(argument.c_str(), &end, 0));
        if (argument.empty() || *end != '\0')
            return "error: mode needs a number";
        mode_.store(mode);
        Notify(ordun::kVgaModeChanged);
        return "ok";
    }
    if (verb == "sync") {
        if (argument == "on")
            syncEnabled_.store(true);
        else if (argument == "off")
            syncEnabled_.store(false);
        else if (argument == "toggle")
            syncEnabled_.store(!syncEnabled_.load());
        else
            return "error: sync needs on, off or toggle";
        PublishSync();
        Notify(ordun::kVgaSyncChanged);
        return "ok";
    }
    return {};
}

void VgaCompanion::PublishSync()
{
    RegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, ordun::kVgaRegistryKey, true))
        key.WriteDword(ordun::kVgaSyncValue, syncEnabled_.load() ? 1 : 0);
}

void VgaCompanion::Started()
{
    RegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, ordun::kVgaRegistryKey, true))
        key.WriteDword(ordun::kVgaVersionValue, version_);
    key.Close();
    PublishSync();
    Notify(ordun::kVgaConnected);
}

void VgaCompanion::Stopped()
{
    Notify(ordun::kVgaDisconnected);
}

void VgaCompanion::Notify(uint32_t command)
{
    uint32_t result = 0;
    DWORD read = 0;
    NamedPipeA::Call(".", ordun::kBoardPipeName, &command, sizeof command, &result, sizeof result,
                     read, kNotifyWaitMs);
}

} // namespace kelp::board
