#include "app/BroadcastMessage.h"

#include "app/PrivateMessages.h"

namespace {
constexpr WPARAM kRefreshRequest = 34;
constexpr WPARAM kTrayRequest = 35;
} // namespace

UINT BroadcastMessageNumber()
{
    static const UINT number = RegisterWindowMessageA("WM_VANTOR_BROADCAST_MESSAGE");
    return number;
}

BroadcastRequest DecodeBroadcast(UINT broadcastNumber, UINT message, WPARAM wParam)
{
    if (broadcastNumber == 0 || message != broadcastNumber || (wParam & 0xFF) != kMessageTag)
        return BroadcastRequest::None;
    switch ((wParam >> 8) & 0xFF) {
    case kRefreshRequest:
        return BroadcastRequest::Refresh;
    case kTrayRequest:
        return BroadcastRequest::RefreshTray;
    default:
        return BroadcastRequest::None;
    }
}
