#pragma once
// Wire format shared by this program and the graphics-card companion: two
// local message pipes, 32-bit little-endian words, one message each way.
// Every reply starts with a result word, 1 meaning success.

#include <cstdint>

namespace kelp::ordun {

// Served by this program; the companion reports its changes here.
constexpr const char* kBoardPipeName = "VANTOR Ordun MB PIPE";
// Served by the companion; this program asks it to follow the board's mode.
constexpr const char* kVgaPipeName = "VANTOR Ordun VGA PIPE";

constexpr uint32_t kBoardPipeBufferSize = 0x4000;
constexpr uint32_t kVgaReplyCapacity = 256;
constexpr uint32_t kResultSize = 4;

constexpr uint32_t kResultFailed = 0;
constexpr uint32_t kResultOk = 1;

// Board pipe notifications (companion -> program).
constexpr uint32_t kVgaConnected = 0x00000000;
constexpr uint32_t kVgaDisconnected = 0x00000001;
constexpr uint32_t kVgaSyncChanged = 0x00001000;
constexpr uint32_t kVgaModeChanged = 0x00001001;

// Graphics pipe requests (program -> companion).
constexpr uint32_t kSetVgaMode = 0x10001001;          // + mode
constexpr uint32_t kGetVgaMode = 0x10001002;          // reply: mode
constexpr uint32_t kQueryVgaCapability = 0x10001003;  // reply: flags, value (mW)
constexpr uint32_t kGetVgaModeValue = 0x10001004;     // + mode; reply: value (1/10000)

// Where the companion publishes its version and synchronisation setting.
constexpr const char* kVgaRegistryKey = "Software\\VANTOR\\Ordun\\VGA";
constexpr const char* kVgaVersionValue = "Version";
constexpr const char* kVgaSyncValue = "SyncEnabled";

} // namespace kelp::ordun
