#pragma once
// The calibration progress bar: a head piece at the left, the body piece
// stretched behind it up to the reached width, and the tail piece once the
// bar is full. Widths follow integer arithmetic, so 1 % of the 353-pixel
// bar is 3.53 px spread over the steps.

#include "framework/graphics/Bitmap.h"

namespace dialogs {

constexpr int kProgressBarWidth = 353;

struct ProgressBarShape {
    int width = 0;       // what the bar shows; 0 hides it
    bool head = false;   // head at x 0, body from its right edge to width
    int tailLeft = -1;   // where the tail goes; -1: no tail
};

ProgressBarShape ShapeProgressBar(int percent, int headWidth, int tailWidth);

struct ProgressBarPieces {
    TBitmap& head;
    TBitmap& body;
    TBitmap& tail;
};

// Draws `percent` into the bar's bitmap and returns the width the bar
// control takes.
int DrawProgressBar(TBitmap& bar, const ProgressBarPieces& pieces, int percent);

} // namespace dialogs
