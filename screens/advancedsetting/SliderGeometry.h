#pragma once
// Where a slider's thumb sits for a position and which position a thumb
// place stands for. Offsets count from the start of the track (0 ... length);
// an empty range or track maps everything to its start.

namespace slider {

int PositionToOffset(int position, int min, int max, int length);
int OffsetToPosition(int offset, int min, int max, int length);

} // namespace slider
