#pragma once
// The end of the Windows session and of the program: the start-up crash
// guard is cleared and the board's power gear is handed back.

// WM_ENDSESSION: `ending` is its wParam. A cancelled shutdown (false)
// changes nothing, since the session and the program go on. An ending one
// first ends the work in flight (the system ends the process soon after,
// whatever runs). False when a mode change outlived its wait: it would
// write its level over the released gear, so the caller ends the process
// at once.
bool OnEndSession(bool ending);
// Gear level and gear engine items to 0, unless the system is overclocked
// (the overclocking utility then owns them).
void ReleaseGearUnlessOverclocked(bool overclocked);
