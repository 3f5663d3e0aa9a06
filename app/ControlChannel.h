#pragma once
// The control pipe of pellixctl, wired to the main window: the pipe threads
// post each request to the window, whose thread answers it with the
// control service; a mode change is answered once it has ended.

#include "ipc/ControlProtocol.h"

#include <windows.h>

#include <optional>

class TMainForm;

// Carries a ticket number of the control mailbox in lParam, tagged.
constexpr UINT kMsgControl = WM_USER + 60;

// Once, at start-up: serves the pipe for the window.
void StartControlChannel(TMainForm& window);
// The window's handler of kMsgControl; true when the message was one.
bool HandleControlMessage(UINT message, WPARAM wParam, LPARAM lParam);
// Main thread: what pellixctl status would be told now; empty before the start.
std::optional<kelp::control::Status> CurrentControlStatus();
