#pragma once
// The firmware's own activity: a thread of the loading process that senses
// the processor load and updates the board's readings and Auto gear every
// period (knob tamsel_tick_ms). Started once, runs until the process ends.

namespace tamsel {

void StartFirmwareClock();
// One firmware period now.
void FirmwareTick();

} // namespace tamsel
