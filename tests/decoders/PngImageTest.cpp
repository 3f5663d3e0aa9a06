// Records handed over by the PNG codec library: checked before their rows
// are read, converted row by row, and always handed back.

#include "kelp/Graphics/PngImage.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct FakeCodec {
    static inline int frees = 0;
    static inline bool succeed = true;
    static inline std::vector<uint8_t*> rows;
    static inline uint8_t row[8] = {255, 0, 0, 0, 255, 0, 0, 128};

    static int __stdcall Read(kelp::PngImageRecord* image, kelp::PngReadCallback, void*)
    {
        if (!succeed)
            return 0;
        rows.assign(1, row);
        *image = kelp::PngImageRecord{2, 1, 8, kelp::kPngRgba, 8, rows.data()};
        return 1;
    }
    static void __stdcall Free(kelp::PngImageRecord* image)
    {
        ++frees;
        *image = {};
    }
};

} // namespace

TEST(PngImageTest, FilledRecordsAreHandedBackOnceAndFailedOnesNever)
{
    FakeCodec::frees = 0;
    FakeCodec::succeed = true;
    {
        kelp::PngImage image(&FakeCodec::Free);
        ASSERT_TRUE(image.Read(&FakeCodec::Read, nullptr, nullptr));
        EXPECT_EQ(image.Record().width, 2u);
    }
    EXPECT_EQ(FakeCodec::frees, 1);

    // The copy of the rows may throw (a bitmap that cannot be made): the
    // record still goes back.
    EXPECT_THROW(
        {
            kelp::PngImage image(&FakeCodec::Free);
            image.Read(&FakeCodec::Read, nullptr, nullptr);
            throw std::runtime_error("copy failed");
        },
        std::runtime_error);
    EXPECT_EQ(FakeCodec::frees, 2);

    FakeCodec::succeed = false;
    {
        kelp::PngImage image(&FakeCodec::Free);
        EXPECT_FALSE(image.Read(&FakeCodec::Read, nullptr, nullptr));
    }
    EXPECT_EQ(FakeCodec::frees, 2);
}

TEST(PngImageTest, OnlyRecordsWithEveryRowAndABitmapSizeAreRead)
{
    uint8_t pixels[6] = {};
    uint8_t* rows[2] = {pixels, pixels + 3};
    kelp::PngImageRecord record{1, 2, 8, 2, 3, rows};
    EXPECT_TRUE(kelp::IsUsablePngRecord(record, 32768));
    rows[1] = nullptr;
    EXPECT_FALSE(kelp::IsUsablePngRecord(record, 32768));
    record.rows = nullptr;
    EXPECT_FALSE(kelp::IsUsablePngRecord(record, 32768));
    record = kelp::PngImageRecord{0, 0, 0, 0, 0, nullptr};  // empty: nothing to read
    EXPECT_TRUE(kelp::IsUsablePngRecord(record, 32768));
    record = kelp::PngImageRecord{40000, 1, 8, 2, 120000, rows};
    EXPECT_FALSE(kelp::IsUsablePngRecord(record, 32768));
    record = kelp::PngImageRecord{1, 0xFFFFFFFF, 8, 2, 3, rows};
    EXPECT_FALSE(kelp::IsUsablePngRecord(record, 32768));
}

TEST(PngImageTest, RowsBecomeBlueGreenRedWithAlphaWhenAsked)
{
    uint8_t rgba[12] = {255, 0, 0, 0, 255, 0, 0, 128, 1, 2, 3, 255};
    uint8_t* rgbaRows[1] = {rgba};
    kelp::PngImageRecord withAlpha{3, 1, 8, kelp::kPngRgba, 12, rgbaRows};
    uint8_t target[12];
    kelp::ConvertPngRow(withAlpha, 0, target, 4);
    EXPECT_EQ(std::vector<uint8_t>(target, target + 12),
              (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 255, 128, 3, 2, 1, 255}));

    uint8_t rgb[6] = {10, 20, 30, 40, 50, 60};
    uint8_t* rgbRows[1] = {rgb};
    kelp::PngImageRecord plain{2, 1, 8, 3, 6, rgbRows};  // palette and grey come as RGB
    kelp::ConvertPngRow(plain, 0, target, 4);
    EXPECT_EQ(std::vector<uint8_t>(target, target + 8), (std::vector<uint8_t>{30, 20, 10, 255, 60, 50, 40, 255}));
    uint8_t narrow[6];
    kelp::ConvertPngRow(plain, 0, narrow, 3);
    EXPECT_EQ(std::vector<uint8_t>(narrow, narrow + 6), (std::vector<uint8_t>{30, 20, 10, 60, 50, 40}));
}
