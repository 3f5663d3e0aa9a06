#pragma once
// The dial's pictures, read once from the Resource folder: the gear
// marker, the chart's base, line and mask, and each mode's fill and
// outline. All are 32-bit with per-pixel alpha. A missing or unreadable
// file raises EPictureError naming it.

#include "framework/graphics/Bitmap.h"
#include "screens/geardial/ChartLayers.h"
#include "screens/geardial/DialModes.h"

#include <array>
#include <string>

namespace geardial {

struct DialArtwork {
    TBitmap gear;
    TBitmap base;
    TBitmap line;
    TBitmap mask;
    std::array<TBitmap, kModeCount> fill;
    std::array<TBitmap, kModeCount> outline;

    // folder ends with a backslash.
    void Load(const std::string& folder);
    TBitmap& Picture(const ChartLayer& layer);
};

// The base picture with the layers blended onto it in order, each by its
// own alpha times the layer's opacity.
void ComposeChart(DialArtwork& art, const ChartLayers& layers, TBitmap& chart);

} // namespace geardial
