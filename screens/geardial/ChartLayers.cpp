#include "screens/geardial/ChartLayers.h"

namespace geardial {

namespace {

constexpr uint8_t kFillOpacity = 200;
constexpr uint8_t kOutlineOpacity = 153;

ChartLayer Line()
{
    return {ChartArt::Line, 0, 255};
}

ChartLayer Mask()
{
    return {ChartArt::Mask, 0, 255};
}

// The fade steps are products taken in the x87's extended precision and
// truncated; 15 x 10.2 stays just below 153 there, so the outline starts at
// 152. Plain double arithmetic would round it up to 153.
uint8_t FadeStep(int steps, long double perStep)
{
    return static_cast<uint8_t>(static_cast<long double>(steps) * perStep);
}

} // namespace

ChartLayers StillChart(int mode)
{
    return {Line(), {ChartArt::Fill, mode, kFillOpacity}, Mask()};
}

ChartLayers HoverChart(int shown, int hovered)
{
    return {{ChartArt::Fill, shown, kFillOpacity}, {ChartArt::Outline, hovered, kOutlineOpacity}, Line(), Mask()};
}

FadeOpacities TransitionOpacities(int frame)
{
    const long double fillPerStep = 13.333333333333334;
    const long double outlinePerStep = 10.2;
    const int remaining = kTransitionFrames - 1 - frame;
    return {FadeStep(remaining, fillPerStep), FadeStep(remaining, outlinePerStep), FadeStep(frame, fillPerStep)};
}

ChartLayers TransitionFrame(int from, int to, int frame)
{
    const FadeOpacities fade = TransitionOpacities(frame);
    return {Line(),
            {ChartArt::Fill, from, fade.fillOut},
            {ChartArt::Outline, to, fade.outlineOut},
            {ChartArt::Fill, to, fade.fillIn},
            Mask()};
}

} // namespace geardial
