#pragma once
// Helpers for tests that run against the virtual board.

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace boardtest {

// Points PELLIX_BOARD_STATE at a fresh state file of this process; child
// processes of the test (death tests, workers) keep their parent's. Call
// from a namespace-scope initialiser, before any board access.
std::string UseOwnBoardState(const char* tag);

// Folder of the running test executable (the runtime folder), with '\'.
std::string RuntimeFolder();

// Writes `text` as a profile file in the temporary folder; returns its path.
std::string WriteProfile(const std::string& name, const std::string& text);

// The file's identity (0 when it cannot be read): replacing the state file
// gives it a new one, so an unchanged identity means nothing was written.
uint64_t FileIndex(const std::string& path);

struct ProcessResult {
    DWORD exitCode = 0;
    std::string out;
    std::string err;
};
// Runs a program of the runtime folder and collects its output. The child
// gets no GTEST_OUTPUT, so a test re-running its own executable does not
// overwrite the report.
ProcessResult Run(const std::string& program, const std::string& arguments);

// Closes the message boxes this process shows while it lives, recording
// caption and text of each.
class MessageBoxCatcher {
public:
    struct Message {
        std::string caption;
        std::string text;
    };

    MessageBoxCatcher();
    ~MessageBoxCatcher();
    MessageBoxCatcher(const MessageBoxCatcher&) = delete;
    MessageBoxCatcher& operator=(const MessageBoxCatcher&) = delete;

    std::vector<Message> Messages();

private:
    void Watch();

    std::atomic<bool> stop_{false};
    std::mutex lock_;
    std::vector<Message> messages_;
    std::thread watcher_;
};

} // namespace boardtest
