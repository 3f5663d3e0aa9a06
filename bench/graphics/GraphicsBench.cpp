// Figures for a 691 x 538 skin: building its window region, and alpha
// blending a 32-bit bitmap of that size, each against a memcpy of the same
// bitmap's bytes. The blend's calls alternate with the memcpy's, and its
// slowest call is set against both the median and the slowest memcpy.
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
#include <utility>
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

// Milliseconds of one call of work.
template <typename Work>
double TimeMs(Work& work)
{
    const double start = NowMs();
    work();
    return NowMs() - start;
}

// Milliseconds of each of `samples` calls of work.
template <typename Work>
std::vector<double> Samples(int samples, Work work)
{
    std::vector<double> times;
    for (int i = 0; i < samples; ++i)
        times.push_back(TimeMs(work));
    return times;
}

// A memcpy of `bytes` bytes, the floor of every figure here.
class Copy {
public:
    explicit Copy(size_t bytes) : m_from(bytes, 1), m_to(bytes) {}
    void operator()()
    {
        std::memcpy(m_to.data(), m_from.data(), m_from.size());
        m_from[m_to[m_to.size() / 2] % m_from.size()] ^= 1; // keeps the copy from being optimised away
    }

private:
    std::vector<uint8_t> m_from, m_to;
};

// Milliseconds of each memcpy of `bytes` bytes.
std::vector<double> CopySamples(int samples, size_t bytes)
{
    return Samples(samples, Copy(bytes));
}

// Milliseconds of each of `samples` calls of `work` and of `floor`, taken in
// turns so that both see the same load on the machine: a call that another
// process pre-empts is as likely in either.
template <typename Work, typename Floor>
std::pair<std::vector<double>, std::vector<double>> InterleavedSamples(int samples, Work work, Floor floor)
{
    std::pair<std::vector<double>, std::vector<double>> times;
    for (int i = 0; i < samples; ++i) {
        times.first.push_back(TimeMs(work));
        times.second.push_back(TimeMs(floor));
    }
    return times;
}

double Slowest(const std::vector<double>& times)
{
    return *std::max_element(times.begin(), times.end());
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
    const auto [blendTimes, blendCopyTimes] =
        InterleavedSamples(samples, [&] { kelp::AlphaBlend(source, all, destination, POINT{0, 0}, 200); },
                           Copy(static_cast<size_t>(kWidth) * kHeight * 4));

    const double blendCopy = Median(blendCopyTimes);
    std::printf("samples\t%d calls of each, the blend's taken in turns with its memcpy\n", samples);
    ReportFigure("window region of a 691x538 skin", Median(regionTimes), "ms", "memcpy of the bitmap",
                 Median(skinCopyTimes), "ratio<=10");
    ReportFigure("AlphaBlend 691x538 32-bit", Median(blendTimes), "ms", "memcpy of the bitmap", blendCopy,
                 "ratio<=8");
    // Against the median copy, as first defined: one pre-empted blend call
    // makes this figure whatever the blend costs.
    ReportFigure("AlphaBlend 691x538 32-bit, slowest call", Slowest(blendTimes), "ms", "memcpy of the bitmap",
                 blendCopy, "ratio<=8");
    ReportFigure("AlphaBlend 691x538 32-bit, slowest call against the slowest copy", Slowest(blendTimes), "ms",
                 "slowest memcpy of the bitmap", Slowest(blendCopyTimes), "ratio<=8");
    return 0;
}
