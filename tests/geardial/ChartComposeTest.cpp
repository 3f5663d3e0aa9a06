// The chart pictures composed from the dial artwork: which layers go in,
// in which order and how opaque, read back from the composed pixels.

#include "DialFixtures.h"

#include "framework/graphics/GraphicsError.h"
#include "screens/geardial/DialArtwork.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace geardial;
using namespace dialtest;

namespace {

class ChartComposeTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        art = new DialArtwork;
        art->Load(ArtFolder());
    }
    static void TearDownTestSuite()
    {
        delete art;
        art = nullptr;
    }

    // A pixel where the base is opaque.
    Rgb Composed(const ChartLayers& layers)
    {
        ComposeChart(*art, layers, chart);
        const uint8_t* pixel = chart.ScanLine(5) + 10 * 4;
        return {pixel[2], pixel[1], pixel[0]};
    }

    static DialArtwork* art;
    TBitmap chart;
};

DialArtwork* ChartComposeTest::art = nullptr;

} // namespace

TEST_F(ChartComposeTest, StillChartOfEveryMode)
{
    for (int mode = 0; mode < kModeCount; ++mode)
        EXPECT_EQ(Composed(StillChart(mode)), Paint(Base(), {Line(), Fill(mode, 200), Mask()})) << "mode " << mode;
}

TEST_F(ChartComposeTest, HoverPreviewLaysTheOutlineOverTheShownFill)
{
    EXPECT_EQ(Composed(HoverChart(2, 0)), Paint(Base(), {Fill(2, 200), Outline(0, 153), Line(), Mask()}));
    EXPECT_EQ(Composed(HoverChart(4, 1)), Paint(Base(), {Fill(4, 200), Outline(1, 153), Line(), Mask()}));
}

TEST_F(ChartComposeTest, EachTransitionFrame)
{
    const int fillOut[] = {200, 186, 173, 160, 146, 133, 120, 106, 93, 80, 66, 53, 40, 26, 13, 0};
    const int outlineOut[] = {152, 142, 132, 122, 112, 101, 91, 81, 71, 61, 50, 40, 30, 20, 10, 0};
    const int fillIn[] = {0, 13, 26, 40, 53, 66, 80, 93, 106, 120, 133, 146, 160, 173, 186, 200};
    for (int frame = 0; frame < kTransitionFrames; ++frame) {
        const Rgb expected =
            Paint(Base(), {Line(), Fill(1, fillOut[frame]), Outline(3, outlineOut[frame]), Fill(3, fillIn[frame]), Mask()});
        EXPECT_EQ(Composed(TransitionFrame(1, 3, frame)), expected) << "frame " << frame;
    }
    // The last frame is the new mode's still chart.
    EXPECT_EQ(Composed(TransitionFrame(1, 3, 15)), Composed(StillChart(3)));
}

TEST_F(ChartComposeTest, ChartKeepsTheBaseOutline)
{
    ComposeChart(*art, StillChart(0), chart);
    ASSERT_EQ(chart.Width(), 24);
    ASSERT_EQ(chart.Height(), 16);
    EXPECT_EQ(chart.PixelFormat(), TPixelFormat::pf32bit);
    EXPECT_EQ(chart.ScanLine(0)[3], 0) << "outside the pentagon stays see-through";
    EXPECT_EQ(chart.ScanLine(0)[10 * 4 + 3], 255);
    EXPECT_TRUE(chart.AlphaDefined());
}

TEST(DialArtworkTest, MissingOrCorruptPictureIsNamed)
{
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / "pellix-dial-art";
    fs::remove_all(folder);
    fs::create_directories(folder);
    for (const auto& entry : fs::directory_iterator(ArtFolder()))
        fs::copy_file(entry.path(), folder / entry.path().filename());
    const std::string prefix = folder.string() + "\\";

    fs::remove(folder / "medium_a.png");
    DialArtwork art;
    try {
        art.Load(prefix);
        ADD_FAILURE() << "a missing picture was not reported";
    } catch (const EPictureError& error) {
        EXPECT_EQ(error.Path(), prefix + "medium_a.png");
    }

    // A picture whose header reads but whose pixels do not decode is
    // reported when it is first drawn, once: it is empty afterwards.
    fs::copy_file(folder / "corrupt.png", folder / "medium_a.png");
    art.Load(prefix);
    int reported = 0;
    for (TBitmap& outline : art.outline) {
        try {
            outline.PixelColor(0, 0);
        } catch (const EPictureError& error) {
            ++reported;
            EXPECT_EQ(error.Path(), prefix + "medium_a.png");
            EXPECT_TRUE(outline.Empty());
            EXPECT_NO_THROW(outline.PixelColor(0, 0));
        }
    }
    EXPECT_EQ(reported, 1);
    fs::remove_all(folder);
}
