#pragma once
// The end of the Windows session and of the program: the start-up crash
// guard is cleared and the board's power gear is handed back.

// WM_ENDSESSION: `ending` is its wParam. A cancelled shutdown (false)
// changes nothing, since the session and the program go on.
void OnEndSession(bool ending);
// Gear level and gear engine items to 0, unless the system is overclocked
// (the overclocking utility then owns them).
void ReleaseGearUnlessOverclocked(bool overclocked);
