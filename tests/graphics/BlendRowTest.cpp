#include "kelp/widget/layout/BitmapEffects.h"
#include "kelp/widget/layout/BlendRow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <random>
#include <vector>

namespace {

// destination × (1 − α) + source × α with α = alpha/255 × opacity/255,
// rounded down, worked out as one fraction over 255².
uint8_t Reference(int source, int destination, int alpha, int opacity)
{
    const long long numerator = 65025LL * destination + static_cast<long long>(source - destination) * alpha * opacity;
    return static_cast<uint8_t>(numerator / 65025);
}

// Random bytes with the edge values over-represented.
class Bytes {
public:
    explicit Bytes(unsigned seed) : engine_(seed) {}
    uint8_t Next()
    {
        const int pick = std::uniform_int_distribution<int>(0, 9)(engine_);
        return pick == 0 ? 0 : pick == 1 ? 255 : static_cast<uint8_t>(std::uniform_int_distribution<int>(0, 255)(engine_));
    }

private:
    std::mt19937 engine_;
};

} // namespace

TEST(BlendRowTest, MatchesTheReferenceOnRandomRowsOfEveryWidthAndBothDestinations)
{
    Bytes bytes(1234);
    constexpr int kGuard = 8;
    for (int step : {4, 3}) {
        for (int width = 0; width <= 37; ++width) {
            for (int trial = 0; trial < 20; ++trial) {
                const uint8_t opacity = trial == 0 ? 255 : trial == 1 ? 0 : bytes.Next();
                std::vector<uint8_t> source(width * 4), destination(width * step + kGuard);
                for (uint8_t& b : source)
                    b = bytes.Next();
                for (uint8_t& b : destination)
                    b = bytes.Next();
                std::vector<uint8_t> expected = destination;
                for (int x = 0; x < width; ++x)
                    for (int c = 0; c < 3; ++c)
                        expected[x * step + c] = Reference(source[x * 4 + c], destination[x * step + c], source[x * 4 + 3], opacity);

                kelp::BlendRow(source.data(), destination.data(), width, step, kelp::BlendWeights(opacity));
                // Also covers the destination's alpha and the bytes past the row.
                ASSERT_EQ(destination, expected) << "step " << step << ", width " << width << ", opacity " << int(opacity);
            }
        }
    }
}

TEST(BlendRowTest, EveryAlphaAtEveryOpacityMatchesTheReference)
{
    // Each alpha and opacity has weights of its own; the widest differences
    // between source and destination, both ways, push the intermediate sums
    // to the ends of their range.
    Bytes bytes(4321);
    for (int opacity = 0; opacity < 256; ++opacity) {
        for (int pattern = 0; pattern < 4; ++pattern) {
            std::vector<uint8_t> source(256 * 4), destination(256 * 4);
            for (int alpha = 0; alpha < 256; ++alpha) {
                for (int c = 0; c < 4; ++c) {
                    const uint8_t s = pattern == 0 ? 255 : pattern == 1 ? 0 : bytes.Next();
                    source[alpha * 4 + c] = s;
                    destination[alpha * 4 + c] = pattern < 2 ? uint8_t(255 - s) : bytes.Next();
                }
                source[alpha * 4 + 3] = uint8_t(alpha);
            }
            std::vector<uint8_t> expected = destination;
            for (int x = 0; x < 256; ++x)
                for (int c = 0; c < 3; ++c)
                    expected[x * 4 + c] = Reference(source[x * 4 + c], destination[x * 4 + c], x, opacity);

            kelp::BlendRow(source.data(), destination.data(), 256, 4, kelp::BlendWeights(uint8_t(opacity)));
            ASSERT_EQ(destination, expected) << "opacity " << opacity << ", pattern " << pattern;
        }
    }
}

TEST(BlendRowTest, TransparentAndOpaqueRunsMatchTheReferenceAtEveryAlignment)
{
    // Pictures are mostly runs of fully transparent and fully opaque
    // pixels, which the blend takes short cuts for; a run may start at any
    // pixel and end next to partly transparent ones.
    Bytes bytes(77);
    constexpr int kWidth = 29;
    for (int opacity : {255, 200, 1}) {
        for (int start = 0; start < 8; ++start) {
            for (int length : {3, 4, 5, 8, 13}) {
                for (uint8_t runAlpha : {uint8_t(0), uint8_t(255)}) {
                    std::vector<uint8_t> source(kWidth * 4), destination(kWidth * 4);
                    for (uint8_t& b : source)
                        b = bytes.Next();
                    for (uint8_t& b : destination)
                        b = bytes.Next();
                    for (int x = start; x < start + length; ++x)
                        source[x * 4 + 3] = runAlpha;
                    std::vector<uint8_t> expected = destination;
                    for (int x = 0; x < kWidth; ++x)
                        for (int c = 0; c < 3; ++c)
                            expected[x * 4 + c] = Reference(source[x * 4 + c], destination[x * 4 + c], source[x * 4 + 3], opacity);

                    kelp::BlendRow(source.data(), destination.data(), kWidth, 4, kelp::BlendWeights(uint8_t(opacity)));
                    ASSERT_EQ(destination, expected) << "opacity " << opacity << ", run of alpha " << int(runAlpha)
                                                     << " at " << start << ", length " << length;
                }
            }
        }
    }
}

TEST(BlendRowTest, AColourBlendedOntoItselfStaysAsItIs)
{
    // Floating-point blending can land a hair below the exact value and
    // lose one step; whole-number arithmetic cannot.
    for (int opacity = 0; opacity < 256; opacity += 3) {
        std::vector<uint8_t> source(256 * 4), destination(256 * 4);
        for (int i = 0; i < 256; ++i) {
            source[i * 4] = source[i * 4 + 1] = source[i * 4 + 2] = uint8_t(i);
            source[i * 4 + 3] = uint8_t(255 - i);
            destination[i * 4] = destination[i * 4 + 1] = destination[i * 4 + 2] = uint8_t(i);
        }
        const std::vector<uint8_t> before = destination;
        kelp::BlendRow(source.data(), destination.data(), 256, 4, kelp::BlendWeights(uint8_t(opacity)));
        ASSERT_EQ(destination, before) << opacity;
    }
}

TEST(BlendRowTest, BitmapBlendMatchesThePixelByPixelReferenceWhereverItIsClipped)
{
    Bytes bytes(99);
    TBitmap source;
    source.SetPixelFormat(TPixelFormat::pf32bit);
    source.SetSize(13, 9);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 13 * 4; ++x)
            source.ScanLine(y)[x] = bytes.Next();
    const RECT rect{2, 1, 13, 9};
    const POINT points[] = {{0, 0}, {-5, -3}, {6, 4}, {-1, 7}, {11, -8}, {3, 2}};
    for (TPixelFormat format : {TPixelFormat::pf32bit, TPixelFormat::pf24bit}) {
        const int step = format == TPixelFormat::pf32bit ? 4 : 3;
        for (const POINT point : points) {
            TBitmap destination;
            destination.SetPixelFormat(format);
            destination.SetSize(15, 10);
            for (int y = 0; y < 10; ++y)
                for (int x = 0; x < 15 * step; ++x)
                    destination.ScanLine(y)[x] = bytes.Next();
            // Every destination pixel that a source pixel of the rectangle lands on.
            std::vector<std::vector<uint8_t>> expected;
            for (int y = 0; y < 10; ++y) {
                std::vector<uint8_t> row(destination.ScanLine(y), destination.ScanLine(y) + 15 * step);
                const int sy = rect.top + y - point.y;
                for (int x = 0; x < 15; ++x) {
                    const int sx = rect.left + x - point.x;
                    if (sy < rect.top || sy >= rect.bottom || sx < rect.left || sx >= rect.right)
                        continue;
                    const uint8_t* s = source.ScanLine(sy) + sx * 4;
                    for (int c = 0; c < 3; ++c)
                        row[x * step + c] = Reference(s[c], row[x * step + c], s[3], 200);
                }
                expected.push_back(row);
            }

            kelp::AlphaBlend(source, rect, destination, point, 200);
            for (int y = 0; y < 10; ++y)
                ASSERT_EQ(std::vector<uint8_t>(destination.ScanLine(y), destination.ScanLine(y) + 15 * step), expected[y])
                    << "row " << y << " at point " << point.x << "," << point.y << ", step " << step;
        }
    }
}

TEST(BlendRowTest, WeightsOnAStackThatIsOnlyFourByteAlignedStillBlend)
{
    // Code built without SSE keeps the stack four-byte aligned, so callers'
    // weights may sit at any multiple of four.
    alignas(16) unsigned char storage[sizeof(kelp::BlendWeights) + 16];
    for (int opacity : {200, 255}) {
        for (int offset : {4, 8, 12}) {
            const auto* weights = new (storage + offset) kelp::BlendWeights(uint8_t(opacity));
            std::vector<uint8_t> source(64 * 4), destination(64 * 4);
            for (int i = 0; i < 64 * 4; ++i) {
                source[i] = uint8_t(i * 7);
                destination[i] = uint8_t(i * 3);
            }
            std::vector<uint8_t> expected = destination;
            for (int x = 0; x < 64; ++x)
                for (int c = 0; c < 3; ++c)
                    expected[x * 4 + c] =
                        Reference(source[x * 4 + c], destination[x * 4 + c], source[x * 4 + 3], opacity);
            kelp::BlendRow(source.data(), destination.data(), 64, 4, *weights);
            weights->~BlendWeights();
            ASSERT_EQ(destination, expected) << "opacity " << opacity << ", offset " << offset;
        }
    }
}

TEST(BlendRowTest, ThreeByteDestinationsAtAnyByteOffsetMatchTheReference)
{
    // Three-byte destinations are read and written twelve bytes per four
    // pixels: the runs of fully transparent and fully opaque pixels, the
    // blended groups between them and the row's last pixels must all land
    // on their own three bytes, wherever the row starts, and leave the
    // bytes around the row alone.
    Bytes bytes(31);
    constexpr int kGuard = 16;
    for (int opacity : {255, 200, 1}) {
        for (int offset = 0; offset < 4; ++offset) {
            for (int width : {4, 7, 8, 13, 30}) {
                for (int start = 0; start < 5; ++start) {
                    for (uint8_t runAlpha : {uint8_t(0), uint8_t(255)}) {
                        std::vector<uint8_t> source(width * 4), buffer(kGuard + width * 3 + kGuard);
                        for (uint8_t& b : source)
                            b = bytes.Next();
                        for (uint8_t& b : buffer)
                            b = bytes.Next();
                        for (int x = start; x < std::min(width, start + 9); ++x)
                            source[x * 4 + 3] = runAlpha;
                        uint8_t* const destination = buffer.data() + kGuard - offset;
                        std::vector<uint8_t> expected = buffer;
                        for (int x = 0; x < width; ++x)
                            for (int c = 0; c < 3; ++c) {
                                uint8_t& e = expected[kGuard - offset + x * 3 + c];
                                e = Reference(source[x * 4 + c], e, source[x * 4 + 3], opacity);
                            }

                        kelp::BlendRow(source.data(), destination, width, 3, kelp::BlendWeights(uint8_t(opacity)));
                        ASSERT_EQ(buffer, expected) << "opacity " << opacity << ", offset " << offset << ", width "
                                                    << width << ", run of alpha " << int(runAlpha) << " at " << start;
                    }
                }
            }
        }
    }
}

TEST(BlendRowTest, TheSse2RowAloneMatchesTheReference)
{
    // Processors without AVX2 blend whole rows four pixels at a time; on
    // one with it, BlendRow leaves only the ends of rows to that code.
    Bytes bytes(555);
    for (int step : {4, 3}) {
        for (int width = 0; width <= 70; ++width) {
            for (int trial = 0; trial < 12; ++trial) {
                const uint8_t opacity = trial < 4 ? 255 : trial == 4 ? 0 : bytes.Next();
                std::vector<uint8_t> source(width * 4), destination(width * step + 8);
                for (uint8_t& b : source)
                    b = bytes.Next();
                for (uint8_t& b : destination)
                    b = bytes.Next();
                // Runs of fully transparent and fully opaque pixels, as pictures have.
                if (trial % 2 == 1)
                    for (int x = 0; x < width; ++x)
                        source[x * 4 + 3] = (x / 5) % 2 ? 255 : 0;
                std::vector<uint8_t> expected = destination;
                for (int x = 0; x < width; ++x)
                    for (int c = 0; c < 3; ++c)
                        expected[x * step + c] = Reference(source[x * 4 + c], destination[x * step + c], source[x * 4 + 3], opacity);

                kelp::BlendRowSse2(source.data(), destination.data(), width, step, kelp::BlendWeights(opacity));
                ASSERT_EQ(destination, expected) << "step " << step << ", width " << width << ", opacity " << int(opacity)
                                                 << ", trial " << trial;
            }
        }
    }
}
