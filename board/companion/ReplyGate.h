#pragma once
// How a scripted peer answers requests, switchable at any time from another
// thread: normally, with a cut-down reply, or not at all. A request that
// arrives while the peer hangs is held until the style changes or the peer
// quits.

#include "ipc/OwnedHandle.h"

#include <atomic>
#include <string>

namespace kelp::board {

enum class ReplyStyle { Normal, Short, Hang };

// "normal", "short", "hang"; false for any other text.
bool ParseReplyStyle(const std::string& text, ReplyStyle& style);

class ReplyGate {
public:
    explicit ReplyGate(ReplyStyle style);

    void Set(ReplyStyle style);
    // The style to answer with, after waiting out a hang. Returns false when
    // the quit event ended the wait: the request gets no answer then.
    bool Pass(HANDLE quitEvent, ReplyStyle& style);

private:
    std::atomic<ReplyStyle> style_;
    OwnedHandle released_;  // set while the style is not Hang
};

} // namespace kelp::board
