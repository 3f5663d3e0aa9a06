#pragma once
// The firmware's own activity: a thread of the loading process that senses
// the processor load and updates the board's readings and Auto gear every
// period (knob tamsel_tick_ms). Started once, runs until the process ends.

namespace tamsel {

// The first period runs from now for `firstPeriod` ms (what the last tick
// returned).
void StartFirmwareClock(unsigned long firstPeriod);
// One firmware period now; returns the period until the next one.
unsigned long FirmwareTick();

} // namespace tamsel
