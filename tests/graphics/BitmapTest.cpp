#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GraphicsError.h"

#include <gtest/gtest.h>
#include <cstring>
#include <fstream>
#include <vector>

namespace {

void Fill24(TBitmap& bitmap, uint8_t b, uint8_t g, uint8_t r)
{
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) {
            uint8_t* p = bitmap.ScanLine(y) + x * 3;
            p[0] = b, p[1] = g, p[2] = r;
        }
}

std::vector<uint8_t> BmpFile(int width, int height, int bpp, const std::vector<uint8_t>& rows,
                             const std::vector<RGBQUAD>& table = {})
{
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = static_cast<WORD>(bpp);
    info.biClrUsed = static_cast<DWORD>(table.size());
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info) + table.size() * 4;
    file.bfSize = file.bfOffBits + rows.size();
    std::vector<uint8_t> data(file.bfSize);
    std::memcpy(data.data(), &file, sizeof(file));
    std::memcpy(data.data() + sizeof(file), &info, sizeof(info));
    if (!table.empty())
        std::memcpy(data.data() + sizeof(file) + sizeof(info), table.data(), table.size() * 4);
    std::memcpy(data.data() + file.bfOffBits, rows.data(), rows.size());
    return data;
}

} // namespace

TEST(BitmapTest, ResizeKeepsOverlapAndFiresChange)
{
    TBitmap bitmap;
    int changes = 0;
    bitmap.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &bitmap);
        ++changes;
    };
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.Handle(), nullptr);
    bitmap.SetSize(2, 2);
    Fill24(bitmap, 1, 2, 3);
    bitmap.SetSize(3, 1);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(bitmap.PixelColor(1, 0), 0x010203u);
    EXPECT_EQ(bitmap.PixelColor(2, 0), 0u);  // new area is black
    bitmap.SetSize(3, 1);
    EXPECT_EQ(changes, 2);  // no change, no event
}

TEST(BitmapTest, FormatConversionsKeepColours)
{
    TBitmap bitmap;
    bitmap.SetSize(2, 1);
    uint8_t* row = bitmap.ScanLine(0);
    row[0] = 0, row[1] = 0, row[2] = 255;        // red
    row[3] = 255, row[4] = 255, row[5] = 255;    // white
    bitmap.SetPixelFormat(TPixelFormat::pf32bit);
    EXPECT_EQ(bitmap.BytesPerLine(), 8);
    EXPECT_EQ(bitmap.ScanLine(0)[2], 255);
    EXPECT_EQ(bitmap.ScanLine(0)[3], 255);  // converted pixels are opaque
    bitmap.SetPixelFormat(TPixelFormat::pf4bit);
    EXPECT_EQ(bitmap.PixelColor(0, 0), 0x0000FFu);
    EXPECT_EQ(bitmap.PixelColor(1, 0), 0xFFFFFFu);
    bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    EXPECT_EQ(bitmap.PixelColor(0, 0), 0x0000FFu);
    EXPECT_THROW(bitmap.ScanLine(1), EInvalidGraphic);
}

TEST(BitmapTest, TransparentColourAutomaticIsLowerLeftFixedIsStored)
{
    TBitmap bitmap;
    bitmap.SetSize(2, 2);
    Fill24(bitmap, 0, 0, 0);
    uint8_t* lowerLeft = bitmap.ScanLine(1);
    lowerLeft[0] = 255, lowerLeft[1] = 0, lowerLeft[2] = 255;
    EXPECT_EQ(bitmap.TransparentColor(), 0xFF00FFu);
    bitmap.SetTransparentColor(0x123456);
    EXPECT_EQ(bitmap.TransparentMode(), TTransparentMode::Fixed);
    EXPECT_EQ(bitmap.TransparentColor(), 0x123456u);
    bitmap.SetTransparentMode(TTransparentMode::Auto);
    EXPECT_EQ(bitmap.TransparentColor(), 0xFF00FFu);
}

TEST(BitmapTest, CanvasDrawingReachesPixelsAndChangeEvent)
{
    TBitmap bitmap;
    bitmap.SetSize(4, 4);
    int changes = 0;
    bitmap.OnChange = [&](TObject*) { ++changes; };
    bitmap.Canvas().Brush().SetColor(0x00FF00);
    bitmap.Canvas().FillRect(RECT{1, 1, 3, 3});
    EXPECT_GE(changes, 1);
    EXPECT_EQ(bitmap.PixelColor(1, 1), 0x00FF00u);
    EXPECT_EQ(bitmap.PixelColor(0, 0), 0u);
    // Recreating the DIB reselects it into the canvas.
    bitmap.SetSize(5, 5);
    bitmap.Canvas().Brush().SetColor(0x0000FF);
    bitmap.Canvas().FillRect(RECT{4, 4, 5, 5});
    EXPECT_EQ(bitmap.PixelColor(4, 4), 0x0000FFu);
    EXPECT_EQ(bitmap.PixelColor(1, 1), 0x00FF00u);
}

TEST(BitmapTest, AssignCopiesPixelsAndTransparency)
{
    TBitmap source, copy;
    source.SetPixelFormat(TPixelFormat::pf32bit);
    source.SetSize(2, 1);
    source.ScanLine(0)[7] = 77;
    source.SetTransparent(true);
    source.SetTransparentColor(0xABCDEF);
    copy.Assign(source);
    EXPECT_EQ(copy.PixelFormat(), TPixelFormat::pf32bit);
    EXPECT_EQ(copy.Width(), 2);
    EXPECT_EQ(copy.ScanLine(0)[7], 77);
    EXPECT_TRUE(copy.Transparent());
    EXPECT_EQ(copy.TransparentColor(), 0xABCDEFu);
    source.ScanLine(0)[7] = 1;
    EXPECT_EQ(copy.ScanLine(0)[7], 77);  // a copy, not shared
}

TEST(BitmapTest, LoadsBottomUpFilesOfSeveralDepths)
{
    // 2 x 2, 24 bits, bottom-up: first stored row is the bottom one.
    std::vector<uint8_t> rows = {0, 0, 255, 0, 255, 0, 0, 0,    // bottom: red, green
                                 255, 0, 0, 255, 255, 255, 0, 0}; // top: blue, white
    TBitmap bitmap;
    auto file = BmpFile(2, 2, 24, rows);
    bitmap.LoadFromMemory(file.data(), file.size());
    EXPECT_EQ(bitmap.PixelColor(0, 1), 0x0000FFu);
    EXPECT_EQ(bitmap.PixelColor(0, 0), 0xFF0000u);
    EXPECT_EQ(bitmap.TransparentColor(), 0x0000FFu);

    // 4 bits with its own palette.
    std::vector<RGBQUAD> table(16, RGBQUAD{0, 0, 0, 0});
    table[1] = RGBQUAD{10, 20, 30, 0};
    auto file4 = BmpFile(2, 1, 4, {0x10, 0, 0, 0}, table);
    bitmap.LoadFromMemory(file4.data(), file4.size());
    EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf4bit);
    EXPECT_EQ(bitmap.PixelColor(0, 0), 0x0A141Eu);

    // 8 bits become 24.
    std::vector<RGBQUAD> table8(256, RGBQUAD{0, 0, 0, 0});
    table8[200] = RGBQUAD{1, 2, 3, 0};
    auto file8 = BmpFile(1, 1, 8, {200, 0, 0, 0}, table8);
    bitmap.LoadFromMemory(file8.data(), file8.size());
    EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(bitmap.PixelColor(0, 0), 0x010203u);
}

TEST(BitmapTest, BadFilesRaiseAndLeaveBitmapUnchanged)
{
    TBitmap bitmap;
    bitmap.SetSize(3, 3);
    EXPECT_THROW(bitmap.LoadFromFile("no such file.bmp"), EFOpenError);
    std::vector<uint8_t> truncated = BmpFile(100, 100, 24, std::vector<uint8_t>(12));
    EXPECT_THROW(bitmap.LoadFromMemory(truncated.data(), truncated.size()), EInvalidGraphic);
    std::vector<uint8_t> garbage(64, 0x42);
    EXPECT_THROW(bitmap.LoadFromMemory(garbage.data(), garbage.size()), EInvalidGraphic);
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(bitmap.Height(), 3);

    auto file = BmpFile(1, 1, 24, {9, 8, 7, 0});
    {
        std::ofstream out("bitmap-test.bmp", std::ios::binary);
        out.write(reinterpret_cast<const char*>(file.data()), file.size());
    }
    bitmap.LoadFromFile("bitmap-test.bmp");
    EXPECT_EQ(bitmap.PixelColor(0, 0), 0x090807u);
    std::remove("bitmap-test.bmp");
}

TEST(BitmapTest, BitFieldFilesNeedTheirMasksInsideTheHeader)
{
    // 1 x 1 at 32 bits with bit fields: the three masks follow the header.
    auto withMasks = [](bool masks) {
        std::vector<uint8_t> file = BmpFile(1, 1, 32, {0x11, 0x22, 0x33, 0x44});
        auto* info = reinterpret_cast<BITMAPINFOHEADER*>(file.data() + sizeof(BITMAPFILEHEADER));
        info->biCompression = BI_BITFIELDS;
        if (masks) {
            const uint32_t fields[3] = {0x00FF0000, 0x0000FF00, 0x000000FF};
            file.insert(file.begin() + 54, reinterpret_cast<const uint8_t*>(fields),
                        reinterpret_cast<const uint8_t*>(fields) + 12);
            reinterpret_cast<BITMAPFILEHEADER*>(file.data())->bfOffBits += 12;
        }
        return file;
    };
    TBitmap bitmap;
    bitmap.SetSize(3, 3);
    // Without them the masks would be read from the pixels and past the file.
    std::vector<uint8_t> bare = withMasks(false);
    EXPECT_THROW(bitmap.LoadFromMemory(bare.data(), bare.size()), EInvalidGraphic);
    EXPECT_EQ(bitmap.Width(), 3);
    std::vector<uint8_t> full = withMasks(true);
    bitmap.LoadFromMemory(full.data(), full.size());
    EXPECT_EQ(bitmap.Width(), 1);
    EXPECT_EQ(bitmap.PixelColor(0, 0), 0x112233u);
}
