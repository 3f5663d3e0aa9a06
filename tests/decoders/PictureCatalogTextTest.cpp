// Picture catalogues: each line vouches for a picture's header, so a line
// that is not exactly right must be left out rather than half believed.

#include "framework/graphics/PictureCatalogText.h"

#include <gtest/gtest.h>

namespace {

TEST(PictureCatalogText, ReadsEntriesKeyedWithoutCase)
{
    const auto entries = ParsePictureCatalog("# name size width height bits alpha\r\n"
                                             "LargeBk.bmp 1115190 691 538 24 0\r\n"
                                             "\r\n"
                                             "gear.png\t2179\t27  36 32 1\n"
                                             "Digit.bmp 94 4 9 4 0");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries.at("largebk.bmp"), (TCatalogEntry{1115190, 691, 538, 24, false}));
    EXPECT_EQ(entries.at("gear.png"), (TCatalogEntry{2179, 27, 36, 32, true}));
    EXPECT_EQ(entries.at("digit.bmp"), (TCatalogEntry{94, 4, 9, 4, false}));
    EXPECT_EQ(CatalogKey("Skin\\MAIN\\Close.BMP"), "skin\\main\\close.bmp");
}

TEST(PictureCatalogText, SkipsEveryLineThatIsNotAWholeEntry)
{
    const char* broken[] = {
        "a.bmp 100 10 10 24",           // a field missing
        "a.bmp 100 10 10 24 0 extra",   // one too many
        "a.bmp 0 10 10 24 0",           // an empty file
        "a.bmp 4294967296 10 10 24 0",  // larger than a picture file can be
        "a.bmp 100 0 10 24 0",          // no width
        "a.bmp 100 10 32769 24 0",      // taller than any bitmap
        "a.bmp 100 -10 10 24 0",
        "a.bmp 100 10 10 8 0",          // not a format pictures are held in
        "a.bmp 100 10 10 24 2",
        "a.bmp 100 10 10 24 0x1",
        "a.bmp 1e3 10 10 24 0",
        "..\\a.bmp 100 10 10 24 0",     // names stay inside the folder
        "sub/a.bmp 100 10 10 24 0",
        "c:a.bmp 100 10 10 24 0",
        "#a.bmp 100 10 10 24 0",
    };
    for (const char* line : broken)
        EXPECT_TRUE(ParsePictureCatalog(line).empty()) << line;
}

TEST(PictureCatalogText, ANameListedTwiceDifferentlyIsDropped)
{
    const auto entries = ParsePictureCatalog("a.bmp 100 10 10 24 0\n"
                                             "A.BMP 100 10 10 24 0\n"   // the same entry again
                                             "b.bmp 100 10 10 24 0\n"
                                             "B.bmp 100 12 10 24 0\n"   // which one is true is unknown
                                             "b.bmp 100 10 10 24 0\n"); // and stays unknown
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries.count("a.bmp"), 1u);
}

TEST(PictureCatalogText, AnEntryDescribesOnlyAFileOfItsSizeWrittenWithTheCatalogue)
{
    const TCatalogEntry entry{100, 10, 10, 24, false};
    const uint64_t catalog = 133000000000000000ull;  // some day in 2022, in 100 ns steps
    const uint64_t second = 10000000;
    EXPECT_TRUE(CatalogDescribes(entry, {100, catalog}, catalog));
    EXPECT_TRUE(CatalogDescribes(entry, {100, catalog - 3600 * second}, catalog));  // rendered, then catalogued
    EXPECT_TRUE(CatalogDescribes(entry, {100, catalog + kCatalogWriteSlack}, catalog));  // copied after it
    EXPECT_FALSE(CatalogDescribes(entry, {100, catalog + kCatalogWriteSlack + 1}, catalog));  // replaced
    EXPECT_FALSE(CatalogDescribes(entry, {101, catalog}, catalog));
    EXPECT_FALSE(CatalogDescribes(entry, {100, UINT64_MAX}, 0));
}

} // namespace
