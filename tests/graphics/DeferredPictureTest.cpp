#include "framework/graphics/BmpFileHeader.h"
#include "framework/graphics/DeferredPicture.h"
#include "framework/graphics/GraphicsError.h"
#include "framework/graphics/PictureCatalogText.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/system/ExecutableFolder.h"
#include "kelp/Graphics/PngHeader.h"
#include "kelp/Graphics/PngReader.h"

#include <gtest/gtest.h>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <vector>

namespace {

// A bottom-up file of 24 or 32 bits per pixel around the given rows.
std::vector<uint8_t> BmpFile(int width, int height, int bits, const std::vector<uint8_t>& rows)
{
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = WORD(bits);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    std::vector<uint8_t> data(file.bfOffBits);
    std::memcpy(data.data(), &file, sizeof(file));
    std::memcpy(data.data() + sizeof(file), &info, sizeof(info));
    data.insert(data.end(), rows.begin(), rows.end());
    return data;
}

// A 2 x 2 24-bit file: blue, white above red, green.
std::vector<uint8_t> SmallBmp(size_t cutPixelBytes = 0)
{
    std::vector<uint8_t> data =
        BmpFile(2, 2, 24, {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0});
    data.resize(data.size() - cutPixelBytes);
    return data;
}

constexpr TColor kLime = 0x00FF00;

// A 32-bit file of one colour.
std::vector<uint8_t> UniformBmp32(int width, int height, TColor color)
{
    std::vector<uint8_t> rows;
    for (int pixel = 0; pixel < width * height; ++pixel)
        rows.insert(rows.end(), {GetBValue(color), GetGValue(color), GetRValue(color), 0});
    return BmpFile(width, height, 32, rows);
}

// Reading the pixels raises EPictureError naming the file.
void ExpectReadFailsNaming(TBitmap& bitmap, const std::string& path)
{
    try {
        bitmap.ScanLine(0);
        ADD_FAILURE() << "the failed read was not reported";
    } catch (const EPictureError& error) {
        EXPECT_EQ(error.Path(), path);
    }
}

class DeferredPictureTest : public ::testing::Test {
protected:
    void SetUp() override { Write(SmallBmp()); }
    void TearDown() override { std::remove(kFile); }

    static void Write(const std::vector<uint8_t>& bytes)
    {
        std::ofstream out(kFile, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    // A source that counts its reads and reads the test file.
    std::shared_ptr<const TPixelSource> CountingSource()
    {
        return std::make_shared<const TPixelSource>([this](TBitmap& bitmap) {
            ++reads;
            bitmap.LoadFromFile(kFile);
        });
    }

    static constexpr const char* kFile = "deferred-test.bmp";
    int reads = 0;
};

} // namespace

TEST_F(DeferredPictureTest, SizeAndFormatComeFirstPixelsOnFirstNeed)
{
    TBitmap bitmap;
    int changes = 0;
    bitmap.OnChange = [&](TObject*) { ++changes; };
    bitmap.Defer(ReadBmpFileHeader(kFile), CountingSource());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(bitmap.Width(), 2);
    EXPECT_EQ(bitmap.Height(), 2);
    EXPECT_FALSE(bitmap.Empty());
    EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);
    // A size or format that stays as it is needs no pixels.
    bitmap.SetSize(2, 2);
    bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    EXPECT_EQ(reads, 0);
    EXPECT_TRUE(bitmap.Deferred());

    // The automatic transparent colour is the lower-left pixel.
    EXPECT_EQ(bitmap.TransparentColor(), 0x0000FFu);
    EXPECT_EQ(bitmap.PixelColor(1, 0), 0xFFFFFFu);
    EXPECT_NE(bitmap.Handle(), nullptr);
    EXPECT_EQ(reads, 1);
    EXPECT_FALSE(bitmap.Deferred());
    // The read was no change to listeners.
    EXPECT_EQ(changes, 1);
}

TEST_F(DeferredPictureTest, EveryWayToThePixelsReadsThem)
{
    const std::vector<std::function<void(TBitmap&)>> needs = {
        [](TBitmap& b) { b.ScanLine(0); },
        [](TBitmap& b) { b.Canvas().Handle(); },
        [](TBitmap& b) { b.SetSize(3, 3); },
        [](TBitmap& b) { b.SetPixelFormat(TPixelFormat::pf32bit); },
    };
    for (const auto& need : needs) {
        reads = 0;
        TBitmap bitmap;
        bitmap.Defer(ReadBmpFileHeader(kFile), CountingSource());
        need(bitmap);
        EXPECT_EQ(reads, 1);
        EXPECT_EQ(bitmap.PixelColor(0, 1), 0x0000FFu);
    }
}

TEST_F(DeferredPictureTest, CopiesShareTheSourceAndReadOnlyWhatTheyNeed)
{
    TBitmap large, shown;
    large.SetTransparent(true);
    large.Defer(ReadBmpFileHeader(kFile), CountingSource());
    shown.Assign(large);
    EXPECT_EQ(shown.Width(), 2);
    EXPECT_TRUE(shown.Transparent());
    EXPECT_EQ(reads, 0);

    // Only the shown copy holds pixels; the original stays unread.
    EXPECT_EQ(shown.PixelColor(0, 0), 0xFF0000u);
    EXPECT_EQ(reads, 1);
    EXPECT_TRUE(large.Deferred());

    // Drawing onto the copy leaves the original's pixels as the file has them.
    shown.Canvas().SetPixel(0, 0, clWhite);
    EXPECT_EQ(large.PixelColor(0, 0), 0xFF0000u);
    EXPECT_EQ(reads, 2);

    // A copy made after the read copies pixels.
    TBitmap later;
    later.Assign(shown);
    EXPECT_FALSE(later.Deferred());
    EXPECT_EQ(later.PixelColor(0, 0), clWhite);
}

TEST_F(DeferredPictureTest, TransparencySetBeforeTheReadSurvivesIt)
{
    TBitmap bitmap;
    bitmap.Defer(ReadBmpFileHeader(kFile), std::make_shared<const TPixelSource>([](TBitmap& target) {
        // A reader that copies a decoded picture with settings of its own.
        TBitmap decoded;
        decoded.LoadFromFile(kFile);
        target.Assign(decoded);
    }));
    bitmap.SetTransparent(true);
    bitmap.SetTransparentColor(clFuchsia);
    EXPECT_NE(bitmap.Handle(), nullptr);
    EXPECT_TRUE(bitmap.Transparent());
    EXPECT_EQ(bitmap.TransparentMode(), TTransparentMode::Fixed);
    EXPECT_EQ(bitmap.TransparentColor(), TColor(clFuchsia));
}

TEST_F(DeferredPictureTest, AStepOnThePixelsWaitsForTheirReadAndTravelsWithLaterCopies)
{
    const auto whiten = [](TBitmap& target) { target.Canvas().SetPixel(0, 0, clWhite); };
    TBitmap large, earlier;
    int changes = 0;
    large.Defer(ReadBmpFileHeader(kFile), CountingSource());
    earlier.Assign(large);
    large.OnChange = [&](TObject*) { ++changes; };
    large.ApplyToPixels(whiten);
    EXPECT_EQ(reads, 0);
    EXPECT_TRUE(large.Deferred());

    TBitmap shown;
    shown.Assign(large);
    EXPECT_EQ(shown.PixelColor(0, 0), clWhite);
    EXPECT_EQ(shown.PixelColor(1, 1), 0x00FF00u);
    EXPECT_EQ(reads, 1);
    EXPECT_TRUE(large.Deferred());
    EXPECT_EQ(large.PixelColor(0, 0), clWhite);
    EXPECT_EQ(changes, 0);
    // A copy made before the step has the file's pixels.
    EXPECT_EQ(earlier.PixelColor(0, 0), 0xFF0000u);

    // Held pixels take the step at once, and listeners hear of it.
    TBitmap held;
    held.LoadFromFile(kFile);
    int heldChanges = 0;
    held.OnChange = [&](TObject*) { ++heldChanges; };
    held.ApplyToPixels(whiten);
    EXPECT_EQ(held.PixelColor(0, 0), clWhite);
    EXPECT_GT(heldChanges, 0);
}

TEST_F(DeferredPictureTest, APictureThatFailsLaterIsReportedOnceNamingItsFile)
{
    TBitmap bitmap;
    DeferPictureFile(kFile, bitmap, &ReadBmpFileHeader, [this](const std::string& path, TBitmap& target) {
        ++reads;
        throw EInvalidGraphic("broken " + path);
    });
    ExpectReadFailsNaming(bitmap, kFile);
    // Empty from then on: a paint does not fail again.
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.Handle(), nullptr);
    EXPECT_EQ(bitmap.PixelColor(0, 0), clNone);
    EXPECT_EQ(reads, 1);

    // A loader that finds no picture at all is no changed picture to fit.
    TBitmap nothing;
    DeferPictureFile(kFile, nothing, &ReadBmpFileHeader, [](const std::string&, TBitmap&) {});
    ExpectReadFailsNaming(nothing, kFile);
    EXPECT_TRUE(nothing.Empty());
}

TEST_F(DeferredPictureTest, APictureChangedSinceItsHeaderKeepsTheSizeAndFormatItPromised)
{
    TBitmap bitmap;
    DeferPictureFile(kFile, bitmap, &ReadBmpFileHeader,
                     [](const std::string& path, TBitmap& target) { target.LoadFromFile(path); });
    // Rewritten while the program runs: narrower, taller, another depth.
    Write(UniformBmp32(1, 3, kLime));
    EXPECT_NO_THROW(bitmap.ScanLine(1));
    EXPECT_EQ(bitmap.Width(), 2);
    EXPECT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);
    // The new file's pixels where they overlap, black where it has none.
    EXPECT_EQ(bitmap.PixelColor(0, 0), kLime);
    EXPECT_EQ(bitmap.PixelColor(0, 1), kLime);
    EXPECT_EQ(bitmap.PixelColor(1, 1), TColor(clBlack));
}

TEST_F(DeferredPictureTest, BrokenHeadersAreRefusedBeforeAnyPixelIsRead)
{
    TBitmap bitmap;
    EXPECT_THROW(ReadBmpFileHeader("no such file.bmp"), EFOpenError);
    // A file too short for the pixels its header claims.
    Write(SmallBmp(1));
    EXPECT_THROW(ReadBmpFileHeader(kFile), EInvalidGraphic);
    Write(std::vector<uint8_t>(64, 0x42));
    EXPECT_THROW(ReadBmpFileHeader(kFile), EInvalidGraphic);
    // Through the registry a layout's missing picture is named at once.
    try {
        LoadLayoutPicture("no such file.bmp", bitmap);
        ADD_FAILURE() << "a missing picture was not reported";
    } catch (const EPictureError& error) {
        EXPECT_EQ(error.Path(), "no such file.bmp");
    }
}

TEST(PngHeaderTest, SizeFromTheHeaderMatchesTheDecodedPicture)
{
    const std::string file = ExecutableFolder() + "fixtures\\graphics\\rgba.png";
    const TPictureHeader header = kelp::ReadPngFileHeader(file);
    TBitmap decoded;
    kelp::LoadPngPicture(file, decoded);
    EXPECT_EQ(header.width, decoded.Width());
    EXPECT_EQ(header.height, decoded.Height());
    EXPECT_EQ(header.format, decoded.PixelFormat());
    EXPECT_EQ(header.alphaDefined, decoded.AlphaDefined());

    uint8_t bytes[kelp::kPngHeaderBytes] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R',
                                            0, 0, 1, 2, 0, 0, 0, 3};
    uint32_t width = 0, height = 0;
    EXPECT_TRUE(kelp::ParsePngHeader(bytes, sizeof(bytes), width, height));
    EXPECT_EQ(width, 258u);
    EXPECT_EQ(height, 3u);
    EXPECT_FALSE(kelp::ParsePngHeader(bytes, sizeof(bytes) - 1, width, height));
    bytes[23] = 0;  // no rows
    EXPECT_FALSE(kelp::ParsePngHeader(bytes, sizeof(bytes), width, height));
    bytes[23] = 3;
    bytes[12] = 'X';  // another chunk first
    EXPECT_FALSE(kelp::ParsePngHeader(bytes, sizeof(bytes), width, height));
}

namespace {

// A folder of its own per test: the catalogue of a folder is read once per
// process.
class CataloguedPictureTest : public DeferredPictureTest {
protected:
    void SetUp() override
    {
        folder = std::string("catalogued-") + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "\\";
        CreateDirectoryA(folder.c_str(), nullptr);
        picture = folder + "Small.bmp";
        const std::vector<uint8_t> bytes = SmallBmp();
        std::ofstream(picture, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                       std::streamsize(bytes.size()));
    }
    void TearDown() override
    {
        std::remove(picture.c_str());
        std::remove((folder + kPictureCatalogFile).c_str());
        RemoveDirectoryA(folder.c_str());
    }

    void WriteCatalog(const std::string& lines) { std::ofstream(folder + kPictureCatalogFile) << lines; }

    static FILETIME LastWrite(const std::string& path)
    {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        EXPECT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data));
        return data.ftLastWriteTime;
    }
    static void SetLastWrite(const std::string& path, const FILETIME& time)
    {
        const HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &time));
        CloseHandle(file);
    }

    // Defers the picture with a header reader that counts its reads.
    void Load(TBitmap& bitmap)
    {
        DeferPictureFile(picture, bitmap, [this](const std::string& path) {
            ++headerReads;
            return ReadBmpFileHeader(path);
        }, [](const std::string& path, TBitmap& target) { target.LoadFromFile(path); });
    }

    std::string folder, picture;
    int headerReads = 0;
    const size_t fileSize = SmallBmp().size();
};

} // namespace

TEST_F(CataloguedPictureTest, TheCatalogueGivesTheHeaderWithoutOpeningTheFile)
{
    WriteCatalog("# name size width height bits alpha\nsmall.BMP " + std::to_string(fileSize) + " 2 2 24 0\n");
    TBitmap bitmap;
    Load(bitmap);
    EXPECT_EQ(headerReads, 0);
    EXPECT_EQ(bitmap.Width(), 2);
    EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_TRUE(bitmap.Deferred());
    EXPECT_EQ(bitmap.PixelColor(0, 1), 0x0000FFu);
}

TEST_F(CataloguedPictureTest, AFileOfAnotherSizeIsReadFromItsOwnHeader)
{
    // The entry would make the picture 9 wide, but the file is not the one
    // the catalogue was written for.
    WriteCatalog("Small.bmp " + std::to_string(fileSize + 1) + " 9 2 24 0\n");
    TBitmap bitmap;
    Load(bitmap);
    EXPECT_EQ(headerReads, 1);
    EXPECT_EQ(bitmap.Width(), 2);
}

TEST_F(CataloguedPictureTest, APictureMissingFromTheFolderStillFailsAtOnce)
{
    WriteCatalog("Small.bmp " + std::to_string(fileSize) + " 2 2 24 0\n");
    std::remove(picture.c_str());
    TBitmap bitmap;
    EXPECT_THROW(Load(bitmap), EFOpenError);
    EXPECT_EQ(headerReads, 1);
}

TEST_F(CataloguedPictureTest, APictureWrittenAfterItsCatalogueIsReadFromItsOwnHeader)
{
    // Replaced by a picture of the same length and other dimensions a
    // minute after the catalogue was written.
    WriteCatalog("Small.bmp " + std::to_string(fileSize) + " 1 6 24 0\n");
    const FILETIME catalogued = LastWrite(folder + kPictureCatalogFile);
    ULARGE_INTEGER later{{catalogued.dwLowDateTime, catalogued.dwHighDateTime}};
    later.QuadPart += 60ull * 10000000;
    SetLastWrite(picture, FILETIME{later.LowPart, later.HighPart});
    TBitmap bitmap;
    Load(bitmap);
    EXPECT_EQ(headerReads, 1);
    EXPECT_EQ(bitmap.Width(), 2);
    EXPECT_EQ(bitmap.Height(), 2);
}

TEST_F(CataloguedPictureTest, PixelsThatDoNotFitAStaleEntryAreHeldInItsSizeAndForgetIt)
{
    // The entry no longer matches the file's content (same length), and
    // nothing in the listing tells.
    WriteCatalog("Small.bmp " + std::to_string(fileSize) + " 3 2 24 0\n");
    TBitmap bitmap;
    Load(bitmap);
    EXPECT_EQ(headerReads, 0);
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_NO_THROW(bitmap.ScanLine(0));
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(bitmap.PixelColor(0, 1), 0x0000FFu);
    EXPECT_EQ(bitmap.PixelColor(2, 1), TColor(clBlack));

    // The next form that shows the picture reads it as it is.
    TBitmap later;
    Load(later);
    EXPECT_EQ(headerReads, 1);
    EXPECT_EQ(later.Width(), 2);
}
