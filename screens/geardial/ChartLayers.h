#pragma once
// Which pictures make up the mode chart, in drawing order over the base
// picture, and how opaque each is drawn: the still chart of a mode, the
// preview of a hovered mode, and the sixteen frames of the cross-fade from
// one mode to another.

#include <cstdint>
#include <vector>

namespace geardial {

enum class ChartArt {
    Line,     // the axis lines
    Mask,     // the frame laid over everything
    Fill,     // a mode's filled area ("b" pictures)
    Outline,  // a mode's preview outline ("a" pictures)
};

struct ChartLayer {
    ChartArt art;
    int mode;  // dial index; only for Fill and Outline
    uint8_t opacity;
    bool operator==(const ChartLayer&) const = default;
};

using ChartLayers = std::vector<ChartLayer>;

constexpr int kTransitionFrames = 16;

struct FadeOpacities {
    uint8_t fillOut;     // the old mode's fill
    uint8_t outlineOut;  // the new mode's outline
    uint8_t fillIn;      // the new mode's fill
};

ChartLayers StillChart(int mode);
ChartLayers HoverChart(int shown, int hovered);
FadeOpacities TransitionOpacities(int frame);
ChartLayers TransitionFrame(int from, int to, int frame);

} // namespace geardial
