#pragma once
// The suite's registered broadcast message "WM_VANTOR_BROADCAST_MESSAGE".
// Its wParam carries the tag 85 in the low byte and a request in bits
// 8-15.

#include <windows.h>

enum class BroadcastRequest {
    None,         // not for this program
    Refresh,      // refresh with lParam as the code
    RefreshTray,  // tray icon, balloon and gear dial
};

// The message's number, registered on first use (0 when registration failed).
UINT BroadcastMessageNumber();
// What a message carries; None for any other message or an untagged one.
BroadcastRequest DecodeBroadcast(UINT broadcastNumber, UINT message, WPARAM wParam);
