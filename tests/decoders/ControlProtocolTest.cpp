// The control pipe's messages: what one side encodes the other decodes,
// and anything that is not exactly a message of the format is refused.

#include "ipc/ControlProtocol.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

using namespace kelp::control;

namespace {
std::optional<Request> Decode(const std::vector<uint8_t>& bytes)
{
    return DecodeRequest(bytes.data(), bytes.size());
}
std::optional<Reply> DecodeR(const std::vector<uint8_t>& bytes)
{
    return DecodeReply(bytes.data(), bytes.size());
}
} // namespace

TEST(ControlProtocol, RequestsAndRepliesSurviveTheWire)
{
    Request set;
    set.command = Command::SetMode;
    set.level = 0x8000;
    set.flags = kConfirmTweak;
    const std::optional<Request> decodedSet = Decode(EncodeRequest(set));
    ASSERT_TRUE(decodedSet);
    EXPECT_EQ(decodedSet->level, 0x8000u);
    EXPECT_EQ(decodedSet->flags, kConfirmTweak);

    Request restore;
    restore.command = Command::RestoreMode;
    restore.level = 1;
    restore.expected = 0x4000;
    EXPECT_EQ(Decode(EncodeRequest(restore))->expected, 0x4000u);

    Reply status = Answer(Command::Status, Outcome::Done);
    status.status.level = 2;
    status.status.flags = kBusy | kVgaSavingActive;
    status.status.vgaCurrentWh = 0.125;
    status.status.currentSince = 0x0123456789ABCDEFull;
    const std::optional<Reply> decodedStatus = DecodeR(EncodeReply(status));
    ASSERT_TRUE(decodedStatus);
    EXPECT_EQ(decodedStatus->status.flags, kBusy | kVgaSavingActive);
    EXPECT_EQ(decodedStatus->status.vgaCurrentWh, 0.125);
    EXPECT_EQ(decodedStatus->status.currentSince, 0x0123456789ABCDEFull);

    const std::optional<Reply> refused = DecodeR(EncodeReply(Answer(Command::SetMode, Outcome::Refused,
                                                                    Reason::TweakUnconfirmed)));
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->answers, Command::SetMode);
    EXPECT_EQ(refused->reason, Reason::TweakUnconfirmed);

    Reply progress = Answer(Command::CalibrationProgress, Outcome::Done);
    progress.progress = {CalibrationState::Running, 12, 420};
    EXPECT_EQ(DecodeR(EncodeReply(progress))->progress.steps, 420u);
}

TEST(ControlProtocol, RefusesAnythingButAnExactMessage)
{
    Request set;
    set.command = Command::SetMode;
    const std::vector<uint8_t> good = EncodeRequest(set);
    ASSERT_TRUE(Decode(good));
    EXPECT_FALSE(DecodeRequest(nullptr, 0));

    // Each header field and each length, spoilt in turn.
    const std::pair<size_t, uint8_t> spoilt[] = {
        {0, 'X'},   // magic
        {4, 2},     // version
        {6, 9},     // unknown command
        {6, 0},     // command 0
        {8, 1},     // detail must be 0 in a request
        {10, 7},    // length field disagrees with the bytes
        {16, 2},    // a flag nobody defined
    };
    for (const auto& [offset, value] : spoilt) {
        std::vector<uint8_t> bytes = good;
        bytes[offset] = value;
        EXPECT_FALSE(Decode(bytes)) << "offset " << offset;
    }
    std::vector<uint8_t> cut(good.begin(), good.end() - 1);
    EXPECT_FALSE(Decode(cut));
    std::vector<uint8_t> longer = good;
    longer.push_back(0);
    longer[10] = uint8_t(longer.size() - kHeaderSize);
    EXPECT_FALSE(Decode(longer)) << "payload longer than the command's";

    // A status request with a payload, a huge message with a matching
    // 16-bit length field, a reply too short for its payload.
    Request status;
    std::vector<uint8_t> padded = EncodeRequest(status);
    padded.resize(kHeaderSize + 4);
    padded[10] = 4;
    EXPECT_FALSE(Decode(padded));
    std::vector<uint8_t> huge(kHeaderSize + 0xFFFF);
    std::memcpy(huge.data(), good.data(), kHeaderSize);
    huge[10] = 0xFF;
    huge[11] = 0xFF;
    EXPECT_FALSE(Decode(huge));
    EXPECT_FALSE(DecodeR(huge));

    Reply reply = Answer(Command::CalibrationProgress, Outcome::Done);
    reply.progress = {CalibrationState::Running, 5, 4};
    EXPECT_FALSE(DecodeR(EncodeReply(reply))) << "a step beyond the count";
    std::vector<uint8_t> state = EncodeReply(Answer(Command::CalibrationProgress, Outcome::Done));
    state[kHeaderSize] = 9;
    EXPECT_FALSE(DecodeR(state));
    std::vector<uint8_t> reason = EncodeReply(Answer(Command::SetMode, Outcome::Refused, Reason::Busy));
    reason[8] = 200;
    EXPECT_FALSE(DecodeR(reason));
    Reply nan = Answer(Command::Status, Outcome::Done);
    nan.status.cpuPowerW = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(DecodeR(EncodeReply(nan)));
}
