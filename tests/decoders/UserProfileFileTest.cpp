// The bytes of "cal.oc": every user may write the file, so counts, sizes
// and versions are checked before a record is believed.

#include "hw/UserProfileFile.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<uint8_t> Profile(uint32_t version, uint32_t count, uint32_t records, const char* magic = "VTOC")
{
    std::vector<uint8_t> bytes(magic, magic + 4);
    auto put = [&](uint32_t word) {
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(uint8_t(word >> shift));
    };
    put(version);
    put(count);
    for (uint32_t i = 0; i < records; ++i) {
        put(0x03000000 + i);
        put(uint32_t(-int32_t(i)));
    }
    return bytes;
}

std::vector<kelp::ProfileRecord> Decode(const std::vector<uint8_t>& bytes, bool expected = true)
{
    std::vector<kelp::ProfileRecord> records{{1, 1}};
    EXPECT_EQ(kelp::DecodeUserProfile(bytes.data(), bytes.size(), records), expected);
    return records;
}

} // namespace

TEST(UserProfileFileTest, RecordsAsManyAsCountedAndHeld)
{
    auto records = Decode(Profile(1, 3, 3));
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[2].id, 0x03000002u);
    EXPECT_EQ(records[2].value, -2);
    EXPECT_EQ(Decode(Profile(1, 3, 2)).size(), 2u);   // a short file applies what it holds
    EXPECT_EQ(Decode(Profile(1, 1, 3)).size(), 1u);   // records past the count are ignored
    EXPECT_EQ(Decode(Profile(0, 2, 2, "ABCD")).size(), 2u);  // old tools wrote other characters
    auto cut = Profile(1, 2, 2);
    cut.pop_back();  // half a record is no record
    EXPECT_EQ(Decode(cut).size(), 1u);
}

TEST(UserProfileFileTest, HugeCountsAreCapped)
{
    auto records = Decode(Profile(1, 0xFFFFFFFF, kelp::kMaxProfileRecords + 100));
    EXPECT_EQ(records.size(), kelp::kMaxProfileRecords);
    EXPECT_EQ(records.back().id, 0x03000000u + kelp::kMaxProfileRecords - 1);
    EXPECT_EQ(Decode(Profile(1, 0xFFFFFFFF, 0)).size(), 0u);
}

TEST(UserProfileFileTest, NewerVersionsAndMissingHeaderFieldsAreRefused)
{
    EXPECT_TRUE(Decode(Profile(2, 1, 1), false).empty());
    EXPECT_TRUE(Decode(Profile(0xFFFFFFFF, 1, 1), false).empty());
    auto header = Profile(1, 0, 0);
    header.pop_back();
    EXPECT_TRUE(Decode(header, false).empty());
    EXPECT_TRUE(Decode({}, false).empty());
    std::vector<kelp::ProfileRecord> records;
    EXPECT_FALSE(kelp::DecodeUserProfile(nullptr, 100, records));
}
