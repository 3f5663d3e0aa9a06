#pragma once
// The firmware's own activity: a thread of the loading process that moves
// the Auto gear with the processor load, one step at most every period
// (knob tamsel_tick_ms). Between changes of the board state it keeps what
// it last read, and while the board does not run Auto it only waits for the
// next change. Started once; runs until the process exits.

namespace tamsel {

void StartFirmwareClock();

} // namespace tamsel
