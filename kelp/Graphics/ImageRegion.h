#pragma once
// Cuts a window to the opaque pixels of an image control it contains.

#include "framework/TWinControl.h"
#include "framework/controls/TImage.h"

namespace kelp {

// The region of the image's bitmap without the colour, placed where the
// image sits inside the window, becomes the window's region (redrawn).
void ApplyImageRegion(TWinControl& window, TImage& image, TColor transparentColor);
// The same with the bitmap's own transparent colour.
void ApplyImageRegion(TWinControl& window, TImage& image);

} // namespace kelp
