#pragma once
// The dial test artwork (fixtures/README) and the colour every chart pixel
// should get, worked out layer by layer from the fixtures' colours.

#include "framework/system/ExecutableFolder.h"
#include "screens/geardial/ChartLayers.h"

#include <string>
#include <vector>

namespace dialtest {

inline std::string ArtFolder()
{
    return ExecutableFolder() + "fixtures\\geardial\\";
}

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};

// A layer as its picture's colour and alpha, drawn at an opacity.
struct Coat {
    Rgb colour;
    int alpha;
    int opacity;
};

inline Rgb Base() { return {40, 60, 80}; }
inline Coat Line() { return {{255, 0, 0}, 128, 255}; }
inline Coat Mask() { return {{0, 0, 255}, 64, 255}; }
inline Coat Fill(int mode, int opacity) { return {{0, 40 + 40 * mode, 20 * mode}, 160, opacity}; }
inline Coat Outline(int mode, int opacity) { return {{220, 200, 30 * mode}, 180, opacity}; }

// Straight alpha: each channel moves towards the layer's colour by its
// alpha times the opacity, truncated.
inline Rgb Over(Rgb below, const Coat& coat)
{
    const double a = coat.alpha / 255.0 * (coat.opacity / 255.0);
    auto mix = [a](int d, int s) { return static_cast<int>(d * (1.0 - a) + a * s); };
    return {mix(below.r, coat.colour.r), mix(below.g, coat.colour.g), mix(below.b, coat.colour.b)};
}

inline Rgb Paint(Rgb below, const std::vector<Coat>& coats)
{
    for (const Coat& coat : coats)
        below = Over(below, coat);
    return below;
}

} // namespace dialtest
