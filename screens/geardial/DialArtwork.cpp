#include "screens/geardial/DialArtwork.h"

#include "kelp/Graphics/PngReader.h"
#include "kelp/widget/layout/BitmapEffects.h"

#include <algorithm>

namespace geardial {

void DialArtwork::Load(const std::string& folder)
{
    kelp::LoadPngPicture(folder + "gear.png", gear);
    kelp::LoadPngPicture(folder + "pentagon.png", base);
    kelp::LoadPngPicture(folder + "line.png", line);
    kelp::LoadPngPicture(folder + "mask.png", mask);
    for (int mode = 0; mode < kModeCount; ++mode) {
        kelp::LoadPngPicture(folder + ImageStem(mode) + "_b.png", fill[mode]);
        kelp::LoadPngPicture(folder + ImageStem(mode) + "_a.png", outline[mode]);
    }
}

TBitmap& DialArtwork::Picture(const ChartLayer& layer)
{
    switch (layer.art) {
    case ChartArt::Line:
        return line;
    case ChartArt::Mask:
        return mask;
    case ChartArt::Fill:
        return fill.at(layer.mode);
    case ChartArt::Outline:
        break;
    }
    return outline.at(layer.mode);
}

void ComposeChart(DialArtwork& art, const ChartLayers& layers, TBitmap& chart)
{
    chart.Assign(art.base);
    const RECT whole{0, 0, chart.Width(), chart.Height()};
    for (const ChartLayer& layer : layers) {
        TBitmap& picture = art.Picture(layer);
        // A layer smaller than the base is blended where it reaches.
        const RECT area{0, 0, std::min<LONG>(whole.right, picture.Width()), std::min<LONG>(whole.bottom, picture.Height())};
        kelp::AlphaBlend(picture, area, chart, POINT{0, 0}, layer.opacity);
    }
}

} // namespace geardial
