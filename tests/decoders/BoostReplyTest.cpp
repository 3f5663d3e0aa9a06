// The graphics-boost write's reply list: pairs up to the end marker or the
// end of the bytes, whatever size the library claims.

#include "hw/BoostReply.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<uint32_t> Buffer(std::initializer_list<uint32_t> words)
{
    std::vector<uint32_t> buffer(kelp::kBoostReplyBytes / 4, 0xAAAAAAAA);
    std::copy(words.begin(), words.end(), buffer.begin());
    return buffer;
}

} // namespace

TEST(BoostReplyTest, PairsRunToTheEndMarkerOrTheEndOfTheBytes)
{
    auto reply = Buffer({2, 0x03010060, 5, 0x03030061, uint32_t(-7), 0xFFFFFFFF, 1, 2});
    auto pairs = kelp::DecodeBoostReply(reply.data(), 8 * 4);
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[1].id, 0x03030061u);
    EXPECT_EQ(pairs[1].value, -7);

    EXPECT_TRUE(kelp::DecodeBoostReply(Buffer({1, 0xFFFFFFFF, 3}).data(), 12).empty());  // ends at once
    EXPECT_EQ(kelp::DecodeBoostReply(reply.data(), 4 * 4).size(), 1u);  // half a pair is dropped
    EXPECT_TRUE(kelp::DecodeBoostReply(reply.data(), 3).empty());
    EXPECT_TRUE(kelp::DecodeBoostReply(nullptr, 64).empty());
}

TEST(BoostReplyTest, ClaimedSizesBeyondTheBufferReadOnlyTheBuffer)
{
    auto reply = Buffer({0});
    reply.back() = 0x12345678;  // would start a pair whose value lies past the buffer
    auto pairs = kelp::DecodeBoostReply(reply.data(), 0xFFFFFFFF);
    EXPECT_EQ(pairs.size(), (kelp::kBoostReplyBytes / 4 - 2) / 2);  // every whole pair in the buffer
}
