// The glyph and graphics-boost bitmaps beside the executable: the sizes the
// readouts are laid out for, the magenta key in the lower-left corner, and
// no pink fringe where an edge was blended.

#include "tests/energy/EnergyRig.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

using namespace energytest;

namespace {

std::unique_ptr<TBitmap> Load(const std::string& name)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->LoadFromFile(ArtFolder() + name);
    bitmap->SetPixelFormat(TPixelFormat::pf24bit);
    return bitmap;
}

// Keyed at the lower left; no pixel is a blend of magenta and the artwork.
void ExpectCleanlyKeyed(TBitmap& bitmap, const std::string& name)
{
    const uint8_t* corner = bitmap.ScanLine(bitmap.Height() - 1);
    EXPECT_TRUE(corner[0] == 255 && corner[1] == 0 && corner[2] == 255) << name;
    int fringe = 0;
    for (int y = 0; y < bitmap.Height(); ++y) {
        const uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x) {
            const int b = row[3 * x], g = row[3 * x + 1], r = row[3 * x + 2];
            const bool key = r == 255 && g == 0 && b == 255;
            if (!key && r > 90 && b > 90 && g < (r + b) / 4)
                ++fringe;
        }
    }
    EXPECT_EQ(fringe, 0) << name;
}

} // namespace

TEST(Artwork, GlyphsHaveTheReadoutsSizesAndNoFringe)
{
    for (int i = 0; i < energy::kGlyphCount; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "Number\\%02d.bmp", i);
        auto glyph = Load(name);
        const bool point = i == energy::kValuePoint || i == energy::kBuildPoint;
        EXPECT_EQ(glyph->Width(), point ? 6 : 12) << name;
        EXPECT_EQ(glyph->Height(), 18) << name;
        ExpectCleanlyKeyed(*glyph, name);
    }
}

TEST(Artwork, TheGraphicsBoostTileAndLampFitTheirPlaces)
{
    for (const char* name : {"gpu_n.bmp", "gpu_o.bmp", "gpu_d.bmp", "gpu_un.bmp"}) {
        auto tile = Load(name);
        EXPECT_EQ(tile->Width(), 80) << name;
        EXPECT_EQ(tile->Height(), 70) << name;
        ExpectCleanlyKeyed(*tile, name);
    }
    for (const char* name : {"gpu_light_on.bmp", "gpu_light_off.bmp"}) {
        auto lamp = Load(name);
        EXPECT_EQ(lamp->Width(), 28 + 2 * 9) << name;
        EXPECT_EQ(lamp->Height(), 8) << name;
        ExpectCleanlyKeyed(*lamp, name);
    }
}
