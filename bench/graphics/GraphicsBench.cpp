// Figures for a 691 x 538 skin: building its window region in one call from
// the collected runs against subtracting every transparent run from a full
// rectangle, and alpha blending against a plain copy of the same bytes.

#include "kelp/Graphics/WinRegion.h"
#include "kelp/widget/layout/BitmapEffects.h"

#include <cstdio>
#include <cstring>
#include <vector>
#include <windows.h>

namespace {

constexpr int kWidth = 691;
constexpr int kHeight = 538;

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / frequency.QuadPart;
}

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

// The straightforward method: one region subtraction per transparent run.
void SubtractRuns(kelp::WinRegion& region, TBitmap& bitmap, TColor color)
{
    region.SetRect(0, 0, bitmap.Width(), bitmap.Height());
    kelp::WinRegion run;
    for (int y = 0; y < bitmap.Height(); ++y) {
        const uint8_t* row = bitmap.ScanLine(y);
        auto transparent = [&](int x) {
            const uint8_t* p = row + x * 3;
            return p[0] == ((color >> 16) & 0xFF) && p[1] == ((color >> 8) & 0xFF) && p[2] == (color & 0xFF);
        };
        int x = 0;
        while (x < bitmap.Width()) {
            while (x < bitmap.Width() && !transparent(x))
                ++x;
            int start = x;
            while (x < bitmap.Width() && transparent(x))
                ++x;
            if (x > start) {
                run.SetRect(start, y, x, y + 1);
                region.Subtract(run);
            }
        }
    }
}

template <typename Work>
double Seconds(int repeats, Work work)
{
    double start = Now();
    for (int i = 0; i < repeats; ++i)
        work();
    return (Now() - start) / repeats;
}

} // namespace

int main()
{
    TBitmap skin;
    MakeSkin(skin);

    kelp::WinRegion collected, subtracted;
    const int regionRepeats = 10;
    double oneCall = Seconds(regionRepeats, [&] { collected.SetToBitmap(skin, clFuchsia); });
    double perRun = Seconds(3, [&] { SubtractRuns(subtracted, skin, clFuchsia); });
    bool same = EqualRgn(collected.Handle(), subtracted.Handle()) != 0;
    DWORD rects = (GetRegionData(collected.Handle(), 0, nullptr) - sizeof(RGNDATAHEADER)) / sizeof(RECT);
    std::printf("region of a %d x %d skin (%lu rectangles)\n", kWidth, kHeight, rects);
    std::printf("  one call from collected runs : %8.3f ms\n", oneCall * 1000);
    std::printf("  one subtraction per run      : %8.3f ms\n", perRun * 1000);
    std::printf("  ratio                        : %8.1f x\n", perRun / oneCall);
    std::printf("  same region                  : %s\n", same ? "yes" : "NO");

    TBitmap source, destination;
    source.SetPixelFormat(TPixelFormat::pf32bit);
    source.SetSize(kWidth, kHeight);
    destination.SetPixelFormat(TPixelFormat::pf32bit);
    destination.SetSize(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        uint8_t* p = source.ScanLine(y);
        for (int x = 0; x < kWidth * 4; ++x)
            p[x] = static_cast<uint8_t>(x * 7 + y);
    }
    const RECT all{0, 0, kWidth, kHeight};
    const int blendRepeats = 20;
    double blend = Seconds(blendRepeats, [&] { kelp::AlphaBlend(source, all, destination, POINT{0, 0}, 200); });
    const size_t bytes = static_cast<size_t>(kWidth) * kHeight * 4;
    std::vector<uint8_t> from(bytes, 1), to(bytes);
    double copy = Seconds(200, [&] {
        std::memcpy(to.data(), from.data(), bytes);
        from[to[bytes / 2] % bytes] ^= 1;  // keeps the copy from being optimised away
    });
    const double megapixels = kWidth * kHeight / 1e6;
    std::printf("alpha blend of %d x %d, 32 bits\n", kWidth, kHeight);
    std::printf("  AlphaBlend                   : %8.1f MPixel/s (%.3f ms)\n", megapixels / blend, blend * 1000);
    std::printf("  memcpy of the same bytes     : %8.1f MPixel/s (%.3f ms)\n", megapixels / copy, copy * 1000);
    return same ? 0 : 1;
}
