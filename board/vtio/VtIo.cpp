// VtIo.dll, the port-I/O library: byte port input and output on the
// board's emulated Super-I/O chip (see board/core/SuperIoChip.h). Each
// access is one read-modify-write of the shared board state, so the chip's
// latches behave as one device seen by every process.
//
// With PELLIX_SIO_LOG naming a file, every access is appended to it as
// "<process id> <in|out> <port> <value>" (hexadecimal), in the order the
// chip saw them. The board knob sio.delay_ms (board/core/Faults.h) makes
// every access take that much longer, the wait outside the board lock.

#include "board/core/BoardStore.h"
#include "board/core/Faults.h"
#include "board/core/SuperIoChip.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>

namespace {

void LogAccess(const char* direction, uint16_t port, uint8_t value)
{
    char path[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("PELLIX_SIO_LOG", path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return;
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    char line[64];
    int size = std::snprintf(line, sizeof line, "%lu %s %X %X\n", GetCurrentProcessId(), direction, unsigned(port),
                             unsigned(value));
    DWORD written = 0;
    WriteFile(file, line, DWORD(size), &written, nullptr);
    CloseHandle(file);
}

void WaitOutTheBus(DWORD delayMs)
{
    if (delayMs)
        Sleep(delayMs);
}

} // namespace

extern "C" {

uint8_t __stdcall VTIO_Open(const char*)
{
    return 1;
}

void __stdcall VTIO_Close() {}

uint8_t __stdcall VTIO_InPortB(uint16_t port)
{
    uint8_t value = 0xFF;
    DWORD delayMs = 0;
    try {
        // Under the board lock so that the log keeps the chip's order; a read
        // changes nothing, so nothing is written back.
        vboard::BoardStore().Update([&](vboard::BoardState& state) {
            value = vboard::InPort(state, port);
            LogAccess("in", port, value);
            delayMs = vboard::SioAccessDelayMs(state);
            return false;
        });
    } catch (...) {
    }
    WaitOutTheBus(delayMs);
    return value;
}

void __stdcall VTIO_OutPortB(uint16_t port, uint8_t value)
{
    DWORD delayMs = 0;
    try {
        vboard::BoardStore().Update([&](vboard::BoardState& state) {
            vboard::OutPort(state, port, value);
            LogAccess("out", port, value);
            delayMs = vboard::SioAccessDelayMs(state);
            return true;
        });
    } catch (...) {
    }
    WaitOutTheBus(delayMs);
}

} // extern "C"
