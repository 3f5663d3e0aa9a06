#pragma once
// What happens when the user has left the machine idle for longer than the
// current mode allows: newer boards blank the screen, older ones ask the
// nap utility to act.

// Polls the idle watcher and runs the action when it fires.
void RunIdleAction();
