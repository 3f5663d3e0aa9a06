#pragma once
// Helpers for tests over real named pipes: trace capture, a window that
// collects posted messages, scripted peer processes and raw pipe calls.

#include "ipc/OwnedHandle.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace pipetest {

// Captures every trace line while alive (one capture at a time).
class TraceCapture {
public:
    TraceCapture();
    ~TraceCapture();
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;

    std::vector<std::string> Lines() const;
    // Lines that contain the text.
    size_t Count(const std::string& text) const;
    void Clear();
};

// A message-only window on the calling thread that records the messages
// with one number.
class MessageSink {
public:
    explicit MessageSink(UINT message);
    ~MessageSink();
    MessageSink(const MessageSink&) = delete;
    MessageSink& operator=(const MessageSink&) = delete;

    HWND Window() const { return window_; }
    // Dispatches this thread's messages for the given time.
    void Pump(DWORD ms);
    // Pumps until a message with this wParam has arrived (true) or the time is up.
    bool WaitFor(WPARAM wParam, DWORD timeoutMs);

    struct Posted {
        WPARAM wParam;
        LPARAM lParam;
    };
    const std::vector<Posted>& Received() const { return received_; }
    void Clear() { received_.clear(); }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    UINT message_;
    HWND window_ = nullptr;
    std::vector<Posted> received_;
};

// A peer program from the runtime folder, started with a control pipe of
// its own; killed when the object goes if it is still running.
class PeerProcess {
public:
    PeerProcess(const std::string& program, const std::string& arguments);
    ~PeerProcess();
    PeerProcess(const PeerProcess&) = delete;
    PeerProcess& operator=(const PeerProcess&) = delete;

    bool IsRunning() const;
    // Sends one control command and returns the answer ("" when none came).
    std::string Control(const std::string& command) const;
    // Waits for the process to end; its exit code, or -1 on time-out.
    int WaitForExit(DWORD timeoutMs) const;

private:
    std::string controlPipe_;
    kelp::OwnedHandle process_;
};

// Gives this process (and the programs it starts) a board state file of
// its own through PELLIX_BOARD_STATE; the file is removed afterwards.
class BoardStateFile {
public:
    explicit BoardStateFile(const char* tag);
    ~BoardStateFile();
    BoardStateFile(const BoardStateFile&) = delete;
    BoardStateFile& operator=(const BoardStateFile&) = delete;

private:
    std::string path_;
};

// Runs a program from the runtime folder to its end; its output and errors.
std::string RunProgram(const std::string& program, const std::string& arguments);

// Waits until a pipe of that name accepts clients.
bool WaitForPipe(const char* name, DWORD timeoutMs);

// CallNamedPipeA to the local pipe; the reply is resized to what was read.
bool RawCall(const char* name, const std::vector<uint8_t>& request, std::vector<uint8_t>& reply,
             DWORD replyCapacity = 256, DWORD timeoutMs = NMPWAIT_WAIT_FOREVER);

std::vector<uint8_t> Words(std::initializer_list<uint32_t> words);
uint32_t WordAt(const std::vector<uint8_t>& bytes, size_t index);

// A name no other test run uses at the same time.
std::string UniqueName(const char* prefix);

// Milliseconds since some fixed point, for measuring.
double NowMs();

} // namespace pipetest
