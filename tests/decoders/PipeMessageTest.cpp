// Requests on the board pipe and replies from the graphics companion and
// the system-control service: any length, any content.

#include "ipc/BoardRequest.h"
#include "ipc/OrdunProtocol.h"
#include "ipc/PipeReply.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

std::vector<uint8_t> Words(std::initializer_list<uint32_t> words)
{
    std::vector<uint8_t> bytes(words.size() * 4);
    std::memcpy(bytes.data(), std::data(words), bytes.size());
    return bytes;
}

uint32_t ReplyResult(const std::vector<uint8_t>& reply)
{
    EXPECT_EQ(reply.size(), 4u);
    uint32_t result = 0xDEAD;
    std::memcpy(&result, reply.data(), std::min<size_t>(reply.size(), 4));
    return result;
}

} // namespace

TEST(PipeMessageTest, BoardRequestsAreAnsweredByTheirCommandWordOnly)
{
    namespace o = kelp::ordun;
    for (uint32_t command : {o::kVgaConnected, o::kVgaDisconnected, o::kVgaSyncChanged, o::kVgaModeChanged}) {
        auto bytes = Words({command, 0xFFFFFFFF, 7});  // trailing words are ignored
        o::BoardRequest request = o::DecodeBoardRequest(bytes.data(), bytes.size());
        EXPECT_TRUE(request.known);
        EXPECT_EQ(request.command, command);
        EXPECT_EQ(ReplyResult(o::BoardReply(request)), 1u);
    }
    auto unknown = Words({0x00001002});
    o::BoardRequest request = o::DecodeBoardRequest(unknown.data(), unknown.size());
    EXPECT_TRUE(request.complete);
    EXPECT_FALSE(request.known);
    EXPECT_EQ(ReplyResult(o::BoardReply(request)), 0u);

    for (size_t size : {0u, 1u, 3u}) {
        request = o::DecodeBoardRequest(unknown.data(), size);
        EXPECT_FALSE(request.complete) << size;
        EXPECT_EQ(ReplyResult(o::BoardReply(request)), 0u);
    }
    EXPECT_FALSE(o::DecodeBoardRequest(nullptr, 4).complete);
}

TEST(PipeMessageTest, RepliesYieldOnlyTheWordsTheyHold)
{
    kelp::PipeReply reply;
    uint32_t value = 99;
    EXPECT_FALSE(reply.Result(value));
    EXPECT_EQ(reply.PayloadSize(), 0u);

    auto bytes = Words({1, 0x4000, 5});
    reply.Assign(bytes.data(), 11);  // the last word arrived in part
    ASSERT_TRUE(reply.Result(value));
    EXPECT_EQ(value, 1u);
    EXPECT_EQ(reply.PayloadSize(), 7u);
    ASSERT_TRUE(reply.PayloadWord(0, value));
    EXPECT_EQ(value, 0x4000u);
    EXPECT_FALSE(reply.PayloadWord(1, value));
    EXPECT_FALSE(reply.PayloadWord(size_t(-1), value));  // an index that wraps
    EXPECT_EQ(value, 0x4000u);

    reply.Assign(bytes.data(), 3);
    EXPECT_FALSE(reply.Result(value));
    EXPECT_EQ(reply.PayloadSize(), 0u);
}
