// Figures for a 691 x 538 skin: building its window region, and alpha
// blending a 32-bit bitmap of that size, each against a memcpy of the same
// bitmap's bytes.
//   bench_graphics [samples]     (default 15)

#include "bench/BenchClock.h"
#include "bench/BenchReport.h"
#include "kelp/Graphics/WinRegion.h"
#include "kelp/widget/layout/BitmapEffects.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr int kWidth = 691;
constexpr int kHeight = 538;

// A dial-like skin: magenta around an ellipse, with ring-shaped cut-outs and
// a grille of small holes so that rows have many transparent runs.
void MakeSkin(TBitmap& bitmap)
{
    bitmap.SetSize(kWidth, kHeight);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().SetColor(clFuchsia);
    canvas.FillRect(RECT{0, 0, kWidth, kHeight});
    canvas.Brush().SetColor(0x404040);
    canvas.Pen().SetColor(0x404040);
    canvas.Ellipse(0, 0, kWidth, kHeight);
    canvas.Brush().SetColor(clFuchsia);
    canvas.Pen().SetColor(clFuchsia);
    canvas.Ellipse(200, 150, 491, 388);
    canvas.Brush().SetColor(0x808080);
    canvas.Pen().SetColor(0x808080);
    canvas.Ellipse(250, 190, 441, 348);
    for (int y = 60; y < 480; y += 6)
        for (int x = 80; x < 610; x += 6)
            if ((x < 200 || x > 491) && (x + y) % 12 == 0)
                canvas.SetPixel(x, y, clFuchsia);
}

// Milliseconds of each of `samples` calls of work.
template <typename Work>
std::vector<double> Samples(int samples, Work work)
{
    std::vector<double> times;
    for (int i = 0; i < samples; ++i) {
        const double start = NowMs();
        work();
        times.push_back(NowMs() - start);
    }
    return times;
}

// Milliseconds of each memcpy of `bytes` bytes.
std::vector<double> CopySamples(int samples, size_t bytes)
{
    std::vector<uint8_t> from(bytes, 1), to(bytes);
    return Samples(samples, [&] {
        std::memcpy(to.data(), from.data(), bytes);
        from[to[bytes / 2] % bytes] ^= 1; // keeps the copy from being optimised away
    });
}

} // namespace

int main(int argc, char** argv)
{
    const int samples = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;

    TBitmap skin;
    MakeSkin(skin);
    const size_t skinBytes = static_cast<size_t>(skin.BytesPerLine()) * kHeight;
    kelp::WinRegion region;
    const auto regionTimes = Samples(samples, [&] { region.SetToBitmap(skin, clFuchsia); });
    const auto skinCopyTimes = CopySamples(samples, skinBytes);

    TBitmap source, destination;
    source.SetPixelFormat(TPixelFormat::pf32bit);
    source.SetSize(kWidth, kHeight);
    destination.SetPixelFormat(TPixelFormat::pf32bit);
    destination.SetSize(kWidth, kHeight);
    // Both hold a picture, as the bitmaps a window composes do: the first
    // write to a new bitmap's memory costs more than a blend of it (Wine
    // hands out its pages one fault at a time) and is no part of the blend.
    for (int y = 0; y < kHeight; ++y) {
        uint8_t* p = source.ScanLine(y);
        uint8_t* q = destination.ScanLine(y);
        for (int x = 0; x < kWidth * 4; ++x) {
            p[x] = static_cast<uint8_t>(x * 7 + y);
            q[x] = static_cast<uint8_t>(x + y * 3);
        }
    }
    const RECT all{0, 0, kWidth, kHeight};
    const auto blendTimes = Samples(samples, [&] { kelp::AlphaBlend(source, all, destination, POINT{0, 0}, 200); });
    const auto blendCopyTimes = CopySamples(samples, static_cast<size_t>(kWidth) * kHeight * 4);

    const double blendCopy = Median(blendCopyTimes);
    ReportFigure("window region of a 691x538 skin", Median(regionTimes), "ms", "memcpy of the bitmap",
                 Median(skinCopyTimes), "ratio<=10");
    ReportFigure("AlphaBlend 691x538 32-bit", Median(blendTimes), "ms", "memcpy of the bitmap", blendCopy,
                 "ratio<=8");
    ReportFigure("AlphaBlend 691x538 32-bit, slowest call", *std::max_element(blendTimes.begin(), blendTimes.end()),
                 "ms", "memcpy of the bitmap", blendCopy, "ratio<=8");
    return 0;
}
