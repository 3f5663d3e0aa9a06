#include "kelp/Graphics/PngReader.h"

#include "framework/graphics/GraphicsError.h"

#include <gtest/gtest.h>
#include <vector>
#include <windows.h>

namespace {

const std::string kFixtures = "fixtures\\graphics\\";

std::vector<uint8_t> Pixel(TBitmap& bitmap, int x)
{
    int step = bitmap.PixelFormat() == TPixelFormat::pf32bit ? 4 : 3;
    const uint8_t* p = bitmap.ScanLine(0) + x * step;
    return std::vector<uint8_t>(p, p + step);
}

using Bytes = std::vector<uint8_t>;

// A codec that hands over records of any size, and counts the records it
// gets back.
struct SizedCodec {
    static inline uint32_t width = 0, height = 0;
    static inline int frees = 0;
    static inline std::vector<uint8_t*> rows;
    static inline uint8_t row[4] = {1, 2, 3, 255};

    static int __stdcall Read(kelp::PngImageRecord* image, kelp::PngReadCallback, void*)
    {
        // Every row pointer names the same short row: only records the reader
        // refuses, or whose bitmap cannot be made, are handed out.
        rows.assign(height, row);
        *image = kelp::PngImageRecord{width, height, 8, 6, width * 4, rows.data()};
        return 1;
    }
    static void __stdcall Free(kelp::PngImageRecord* image)
    {
        ++frees;
        *image = {};
    }
};

} // namespace

TEST(PngReaderTest, RgbaPixelsBecomeBgraAndFullyTransparentIsZero)
{
    TBitmap bitmap;
    kelp::PngReader::Instance().LoadPng(kFixtures + "rgba.png", bitmap);
    ASSERT_EQ(bitmap.Width(), 3);
    ASSERT_EQ(bitmap.Height(), 1);
    EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf32bit);
    EXPECT_EQ(Pixel(bitmap, 0), (Bytes{0, 0, 0, 0}));       // (255, 0, 0, 0)
    EXPECT_EQ(Pixel(bitmap, 1), (Bytes{0, 0, 255, 128}));   // (255, 0, 0, 128)
    EXPECT_EQ(Pixel(bitmap, 2), (Bytes{0, 255, 0, 255}));
}

TEST(PngReaderTest, RgbAndPaletteAndGreyFiles)
{
    TBitmap bitmap;
    kelp::PngReader::Instance().LoadPng(kFixtures + "rgb.png", bitmap);
    EXPECT_EQ(Pixel(bitmap, 0), (Bytes{30, 20, 10, 255}));
    EXPECT_EQ(Pixel(bitmap, 1), (Bytes{50, 100, 200, 255}));

    kelp::PngReader::Instance().LoadPng(kFixtures + "palette.png", bitmap);
    EXPECT_EQ(Pixel(bitmap, 0), (Bytes{0, 0, 255, 255}));   // red
    EXPECT_EQ(Pixel(bitmap, 1), (Bytes{255, 0, 0, 255}));   // blue
    EXPECT_EQ(Pixel(bitmap, 2), (Bytes{0, 0, 255, 255}));

    // A 24-bit bitmap is filled with 3 bytes per pixel.
    TBitmap rgb;
    TFileStream stream(kFixtures + "grey.png");
    ASSERT_TRUE(kelp::PngReader::Instance().Read(stream, rgb));
    EXPECT_EQ(rgb.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(Pixel(rgb, 0), (Bytes{0, 0, 0}));
    EXPECT_EQ(Pixel(rgb, 1), (Bytes{128, 128, 128}));
    EXPECT_EQ(Pixel(rgb, 2), (Bytes{255, 255, 255}));
}

TEST(PngReaderTest, UndecodableAndMissingFiles)
{
    TBitmap bitmap;
    kelp::PngReader::Instance().LoadPng(kFixtures + "truncated.png", bitmap);
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf32bit);

    const char notPng[] = "BM this is not a png";
    TMemoryReadStream stream(notPng, sizeof(notPng));
    EXPECT_FALSE(kelp::PngReader::Instance().Read(stream, bitmap));
    EXPECT_THROW(kelp::PngReader::Instance().LoadPng(kFixtures + "missing.png", bitmap), EFOpenError);
}

TEST(PngReaderTest, CodecRoundTripsThroughWriteAndRead)
{
    HMODULE pixary = GetModuleHandleA("pixary.dll");
    ASSERT_NE(pixary, nullptr);
    auto allocate = reinterpret_cast<kelp::AllocatePngDataFunction>(reinterpret_cast<void*>(GetProcAddress(pixary, "AllocatePngData")));
    auto write = reinterpret_cast<kelp::WritePngExFunction>(reinterpret_cast<void*>(GetProcAddress(pixary, "WritePngEx")));
    auto free = reinterpret_cast<kelp::FreePngDataFunction>(reinterpret_cast<void*>(GetProcAddress(pixary, "FreePngData")));
    ASSERT_TRUE(allocate && write && free);

    kelp::PngImageRecord image{};
    ASSERT_TRUE(allocate(&image, 2, 2, 6));
    EXPECT_EQ(image.rowBytes, 8u);
    const uint8_t pixels[2][8] = {{1, 2, 3, 255, 10, 20, 30, 40}, {200, 0, 0, 255, 0, 0, 200, 1}};
    for (int y = 0; y < 2; ++y)
        std::copy(pixels[y], pixels[y] + 8, image.rows[y]);
    std::vector<uint8_t> png;
    auto sink = [](void* target, const void* buffer, uint32_t count) __stdcall -> uint32_t {
        auto* out = static_cast<std::vector<uint8_t>*>(target);
        out->insert(out->end(), static_cast<const uint8_t*>(buffer), static_cast<const uint8_t*>(buffer) + count);
        return count;
    };
    ASSERT_TRUE(write(&image, sink, &png));
    free(&image);
    EXPECT_EQ(image.rows, nullptr);

    TBitmap bitmap;
    bitmap.SetPixelFormat(TPixelFormat::pf32bit);
    TMemoryReadStream stream(png.data(), png.size());
    ASSERT_TRUE(kelp::PngReader::Instance().Read(stream, bitmap));
    EXPECT_EQ(Pixel(bitmap, 0), (Bytes{3, 2, 1, 255}));
    EXPECT_EQ(Pixel(bitmap, 1), (Bytes{30, 20, 10, 40}));
}

TEST(PngReaderTest, RecordsNoBitmapCanHoldAreRefusedAndAlwaysReleased)
{
    kelp::PngReader reader(&SizedCodec::Read, &SizedCodec::Free);
    TMemoryReadStream stream("", 0);
    TBitmap bitmap;
    bitmap.SetPixelFormat(TPixelFormat::pf32bit);

    SizedCodec::frees = 0;
    SizedCodec::width = 40000;  // wider than any bitmap
    SizedCodec::height = 1;
    EXPECT_FALSE(reader.Read(stream, bitmap));
    EXPECT_EQ(SizedCodec::frees, 1);
    EXPECT_TRUE(bitmap.Empty());

    // No width but rows: an empty bitmap, not a scan-line error.
    SizedCodec::width = 0;
    SizedCodec::height = 3;
    EXPECT_TRUE(reader.Read(stream, bitmap));
    EXPECT_EQ(SizedCodec::frees, 2);
    EXPECT_TRUE(bitmap.Empty());

    // A size a bitmap may have but this process cannot allocate: the
    // bitmap throws, and the record still goes back to the library.
    SizedCodec::width = 30000;
    SizedCodec::height = 30000;
    EXPECT_THROW(reader.Read(stream, bitmap), EInvalidGraphic);
    EXPECT_EQ(SizedCodec::frees, 3);
}
