#include "board/companion/ReplyGate.h"

namespace kelp::board {

bool ParseReplyStyle(const std::string& text, ReplyStyle& style)
{
    if (text == "normal")
        style = ReplyStyle::Normal;
    else if (text == "short")
        style = ReplyStyle::Short;
    else if (text == "hang")
        style = ReplyStyle::Hang;
    else
        return false;
    return true;
}

ReplyGate::ReplyGate(ReplyStyle style)
    : style_(style), released_(CreateEventA(nullptr, TRUE, style != ReplyStyle::Hang, nullptr))
{
}

void ReplyGate::Set(ReplyStyle style)
{
    style_.store(style);
    if (style == ReplyStyle::Hang)
        ResetEvent(released_.Get());
    else
        SetEvent(released_.Get());
}

bool ReplyGate::Pass(HANDLE quitEvent, ReplyStyle& style)
{
    for (;;) {
        style = style_.load();
        if (style != ReplyStyle::Hang)
            return true;
        const HANDLE events[2] = {released_.Get(), quitEvent};
        if (WaitForMultipleObjects(2, events, FALSE, INFINITE) != WAIT_OBJECT_0)
            return false;
    }
}

} // namespace kelp::board
