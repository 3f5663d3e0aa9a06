#pragma once
// The dial's pictures from the Resource folder: the gear marker, the
// chart's base, line and mask, and each mode's fill and outline. All are
// 32-bit with per-pixel alpha. Load reads the files' headers, so a missing
// or broken file raises EPictureError naming it there; each picture is
// decoded when first drawn (EPictureError then for a file that does not
// decode).

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
// The same chart, composed when its pixels are first needed: a chart that
// is never drawn costs no decoding. The artwork must outlive the chart's
// pending composition.
void DeferChart(DialArtwork& art, const ChartLayers& layers, TBitmap& chart);

} // namespace geardial
