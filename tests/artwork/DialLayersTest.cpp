// The gear dial's layers: real alpha, one size for the chart, everything on
// the chart plate, the marker over the buttons, and profiles that tell the
// modes apart the right way round.

#include "MainFormArt.h"

using namespace arttest;

namespace {

const char* const kChartLayers[] = {"pentagon.png", "line.png", "mask.png", "auto_a.png", "turbo_a.png",
    "normal_a.png", "medium_a.png", "low_a.png", "auto_b.png", "turbo_b.png", "normal_b.png", "medium_b.png",
    "low_b.png"};

TEST(DialLayers, LayersCarryRealAlpha)
{
    std::vector<std::string> names(std::begin(kChartLayers), std::end(kChartLayers));
    names.push_back("gear.png");
    for (const std::string& name : names) {
        TBitmap& layer = DialLayer(name);
        ASSERT_EQ(layer.PixelFormat(), TPixelFormat::pf32bit) << name;
        int clear = 0, partial = 0, solid = 0;
        for (int y = 0; y < layer.Height(); ++y)
            for (int x = 0; x < layer.Width(); ++x) {
                const uint8_t a = Alpha(layer, x, y);
                clear += a == 0;
                partial += a > 0 && a < 255;
                solid += a == 255;
            }
        EXPECT_GT(clear, 0) << name;
        EXPECT_GT(partial, 0) << name;
        if (name != "line.png" && name.find("_a.") == std::string::npos) {
            EXPECT_GT(solid, 0) << name;
        }
    }
}

// A composed chart keeps the plate's alpha, so whatever a layer draws off the
// plate never shows.
TEST(DialLayers, ChartLayersShareThePlateSizeAndStayOnIt)
{
    TBitmap& plate = DialLayer("pentagon.png");
    for (const char* name : kChartLayers) {
        TBitmap& layer = DialLayer(name);
        ASSERT_EQ(layer.Width(), plate.Width()) << name;
        ASSERT_EQ(layer.Height(), plate.Height()) << name;
        int lost = 0;
        for (int y = 0; y < layer.Height(); ++y)
            for (int x = 0; x < layer.Width(); ++x)
                lost += Alpha(layer, x, y) > 16 && Alpha(plate, x, y) == 0;
        EXPECT_EQ(lost, 0) << name;
    }
}

TEST(DialLayers, GearMarkerPointsAtEachButtonWithoutCoveringIt)
{
    TBitmap& gear = DialLayer("gear.png");
    const int gearLefts[] = {51, 106, 161, 214, 267};
    const int buttonLefts[] = {42, 98, 151, 205, 259};
    for (int i = 0; i < 5; ++i)
        EXPECT_NEAR(gearLefts[i] + gear.Width() / 2.0, buttonLefts[i] + 45 / 2.0, 1.5) << i;
    EXPECT_LE(kGearTop + gear.Height(), 371);
}

struct Reach {
    int right = 0, left = 1 << 20, top = 1 << 20;
};

// How far a filled profile reaches towards the upper right (Performance), the
// upper left (Energy saving) and the top (Tranquility).
Reach ReachOf(const char* name)
{
    TBitmap& layer = DialLayer(name);
    Reach reach;
    for (int y = 0; y < layer.Height() / 2; ++y)
        for (int x = 0; x < layer.Width(); ++x)
            if (Alpha(layer, x, y) > 128) {
                reach.right = std::max(reach.right, x);
                reach.left = std::min(reach.left, x);
                reach.top = std::min(reach.top, y);
            }
    return reach;
}

TEST(DialLayers, TurboLeansToPerformanceAndMaxSavingToQuietSaving)
{
    const Reach turbo = ReachOf("turbo_b.png");
    const Reach low = ReachOf("low_b.png");
    const Reach normal = ReachOf("normal_b.png");
    EXPECT_GT(turbo.right, normal.right);
    EXPECT_GT(normal.right, low.right);
    EXPECT_LT(low.left, normal.left);
    EXPECT_LT(normal.left, turbo.left);
    EXPECT_LT(low.top, turbo.top);
}

} // namespace
