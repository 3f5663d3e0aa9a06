#include "screens/geardial/DialArtwork.h"

#include "kelp/Graphics/PngReader.h"
#include "kelp/widget/layout/BitmapEffects.h"

#include <algorithm>
#include <memory>

namespace geardial {

void DialArtwork::Load(const std::string& folder)
{
    kelp::DeferPngPicture(folder + "gear.png", gear);
    kelp::DeferPngPicture(folder + "pentagon.png", base);
    kelp::DeferPngPicture(folder + "line.png", line);
    kelp::DeferPngPicture(folder + "mask.png", mask);
    for (int mode = 0; mode < kModeCount; ++mode) {
        kelp::DeferPngPicture(folder + ImageStem(mode) + "_b.png", fill[mode]);
        kelp::DeferPngPicture(folder + ImageStem(mode) + "_a.png", outline[mode]);
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

void DeferChart(DialArtwork& art, const ChartLayers& layers, TBitmap& chart)
{
    TPictureHeader header;
    header.width = art.base.Width();
    header.height = art.base.Height();
    header.format = art.base.PixelFormat();
    header.alphaDefined = art.base.AlphaDefined();
    chart.Defer(header, std::make_shared<const TPixelSource>(
                            [&art, layers](TBitmap& target) { ComposeChart(art, layers, target); }));
}

} // namespace geardial
