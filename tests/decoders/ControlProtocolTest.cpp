// The control pipe's messages: what one side encodes the other decodes,
// and anything that is not exactly a message of the format is refused.

#include "ipc/ControlProtocol.h"

#include "engine/CalendarDay.h"
#include "engine/SavingsHistoryCodec.h"

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

Reply HistoryDayReply()
{
    Reply reply = Answer(Command::HistoryDay, Outcome::Done);
    reply.generation = 0xFEDCBA98;
    history::DayRecord& day = reply.record;
    day.day = calendar::DayNumber({2026, 12, 9});
    // Every field its own value, the counts at the top of their range.
    day.modeSeconds = {1, history::kMaxDaySeconds, 3, 4, 5};
    day.autoGearSeconds = {6, 7, history::kMaxDaySeconds - 1, 9};
    day.boardSaved = {0.1, 0.2, 1e-300, 4.5, 5.5};
    day.vgaSaved = {6.25, 7, 8, 9, history::kMaxDayWattHours};
    day.cpuUsed = 1.0 / 3;
    day.co2Avoided = 12345.678;
    return reply;
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

TEST(ControlProtocol, TheStatusCarriesTheEmissionFactorWhenSent)
{
    Reply status = Answer(Command::Status, Outcome::Done);
    status.status.boardTotalWh = 10;
    const std::vector<uint8_t> without = EncodeReply(status);
    status.status.co2PerWattHour = 400;
    const std::vector<uint8_t> with = EncodeReply(status);
    EXPECT_EQ(with.size(), without.size() + 8) << "appended to the other fields";
    EXPECT_LE(with.size(), kMaxMessage);
    EXPECT_EQ(DecodeR(with)->status.co2PerWattHour, 400);
    // A program that sends no factor is still understood; the default counts.
    const std::optional<Reply> old = DecodeR(without);
    ASSERT_TRUE(old);
    EXPECT_FALSE(old->status.co2PerWattHour);
    EXPECT_DOUBLE_EQ(Co2Grams(old->status, 10), 6.15);
    EXPECT_DOUBLE_EQ(Co2Grams(DecodeR(with)->status, 10), 4);

    for (double bad : {0.0, -1.0, history::kMaxCo2PerWattHour + 1, std::numeric_limits<double>::infinity(),
                       std::numeric_limits<double>::quiet_NaN()}) {
        status.status.co2PerWattHour = bad;
        EXPECT_FALSE(DecodeR(EncodeReply(status))) << bad;
    }
    // Only the status may grow so, and by the factor alone.
    std::vector<uint8_t> longer = with;
    longer.push_back(0);
    longer[10] = uint8_t(longer.size() - kHeaderSize);
    EXPECT_FALSE(DecodeR(longer));
    Reply progress = Answer(Command::CalibrationProgress, Outcome::Done);
    std::vector<uint8_t> padded = EncodeReply(progress);
    padded.insert(padded.end(), 8, 0);
    padded[10] = uint8_t(padded.size() - kHeaderSize);
    EXPECT_FALSE(DecodeR(padded));
}

TEST(ControlProtocol, HistoryDaysTravelWholeAndOnlyAsSaneDays)
{
    Request ask;
    ask.command = Command::HistoryDay;
    ask.index = history::kMaxDays - 1;
    EXPECT_EQ(Decode(EncodeRequest(ask))->index, history::kMaxDays - 1);
    ask.index = history::kMaxDays;
    EXPECT_FALSE(Decode(EncodeRequest(ask))) << "no history holds that day";

    const Reply sent = HistoryDayReply();
    const std::vector<uint8_t> good = EncodeReply(sent);
    EXPECT_EQ(good.size(), kMaxMessage) << "a day fills a reply";
    const std::optional<Reply> got = DecodeR(good);
    ASSERT_TRUE(got);
    EXPECT_EQ(got->generation, sent.generation);
    EXPECT_EQ(got->record.day, sent.record.day);
    EXPECT_EQ(got->record.modeSeconds, sent.record.modeSeconds);
    EXPECT_EQ(got->record.autoGearSeconds, sent.record.autoGearSeconds);
    EXPECT_EQ(got->record.boardSaved, sent.record.boardSaved);
    EXPECT_EQ(got->record.vgaSaved, sent.record.vgaSaved);
    EXPECT_EQ(got->record.cpuUsed, sent.record.cpuUsed);
    EXPECT_EQ(got->record.co2Avoided, sent.record.co2Avoided);

    const std::optional<Reply> end =
        DecodeR(EncodeReply(Answer(Command::HistoryDay, Outcome::Refused, Reason::NoSuchDay)));
    ASSERT_TRUE(end);
    EXPECT_EQ(end->reason, Reason::NoSuchDay);

    // Days no program keeps, and bytes its encoder never writes.
    const std::pair<const char*, void (*)(history::DayRecord&)> insane[] = {
        {"a count beyond a day's", [](history::DayRecord& d) { d.modeSeconds[2] = history::kMaxDaySeconds + 1; }},
        {"a negative figure", [](history::DayRecord& d) { d.cpuUsed = -0.5; }},
        {"an endless figure", [](history::DayRecord& d) { d.vgaSaved[1] = std::numeric_limits<double>::infinity(); }},
        {"a huge figure", [](history::DayRecord& d) { d.boardSaved[4] = history::kMaxDayWattHours * 2; }},
        {"a day before the history's", [](history::DayRecord& d) { d.day = history::kEarliestDay - 1; }},
        {"a year of five digits", [](history::DayRecord& d) { d.day = calendar::DayNumber({10000, 1, 1}); }},
    };
    for (const auto& [what, spoil] : insane) {
        Reply reply = HistoryDayReply();
        spoil(reply.record);
        EXPECT_FALSE(DecodeR(EncodeReply(reply))) << what;
    }
    constexpr size_t kFirstCountWord = kHeaderSize + 8;
    std::vector<uint8_t> spareBit = good;
    spareBit[kFirstCountWord + 7] |= 0x80;
    EXPECT_FALSE(DecodeR(spareBit)) << "the top bit of a count word";
    std::vector<uint8_t> cut(good.begin(), good.end() - 8);
    cut[10] = uint8_t(cut.size() - kHeaderSize);
    EXPECT_FALSE(DecodeR(cut)) << "a day without its last figure";
    std::vector<uint8_t> endWithDay = EncodeReply(Answer(Command::HistoryDay, Outcome::Refused, Reason::NoSuchDay));
    endWithDay.insert(endWithDay.end(), good.begin() + kHeaderSize, good.end());
    endWithDay[10] = uint8_t(endWithDay.size() - kHeaderSize);
    EXPECT_FALSE(DecodeR(endWithDay)) << "the end of the list carries no day";
}

namespace {

// The rule commands and the automation's state: the programs travel whole
// up to their limit, and nothing past it, with a NUL or with a wrong
// length is believed.
TEST(ControlProtocol, RulesAndTheAutomationStateTravelWithinTheirLimits)
{
    Request add;
    add.command = Command::AddRule;
    add.level = 0x4000;
    add.program = "C:\\Tools\\" + std::string(kMaxRuleProgram - 9, 'r');
    const std::vector<uint8_t> addBytes = EncodeRequest(add);
    EXPECT_LE(addBytes.size(), kMaxMessage);
    const std::optional<Request> addBack = Decode(addBytes);
    ASSERT_TRUE(addBack);
    EXPECT_EQ(addBack->level, 0x4000u);
    EXPECT_EQ(addBack->program, add.program);

    Request remove;
    remove.command = Command::RemoveRule;
    remove.program = "render.exe";
    std::vector<uint8_t> removeBytes = EncodeRequest(remove);
    ASSERT_TRUE(Decode(removeBytes));
    EXPECT_EQ(Decode(removeBytes)->program, "render.exe");
    // A NUL inside, a length past the bytes, a byte too many.
    std::vector<uint8_t> nul = removeBytes;
    nul[kHeaderSize + 3] = 0;
    EXPECT_FALSE(Decode(nul));
    std::vector<uint8_t> longer = removeBytes;
    longer[kHeaderSize] = uint8_t(remove.program.size() + 1);
    EXPECT_FALSE(Decode(longer));
    std::vector<uint8_t> extra = removeBytes;
    extra.push_back('x');
    extra[10] = uint8_t(extra.size() - kHeaderSize);
    EXPECT_FALSE(Decode(extra));
    // A length byte past the program limit, even with the bytes there.
    Request tooLong = remove;
    tooLong.program = std::string(kMaxRuleProgram + 1, 'a');
    std::vector<uint8_t> tooLongBytes = EncodeRequest(tooLong);
    ASSERT_EQ(tooLongBytes[kHeaderSize], kMaxRuleProgram);  // the encoder cuts
    tooLongBytes[kHeaderSize] = uint8_t(kMaxRuleProgram + 1);
    tooLongBytes.push_back('a');
    tooLongBytes[10] = uint8_t(tooLongBytes.size() - kHeaderSize);
    EXPECT_FALSE(Decode(tooLongBytes));

    Reply rule = Answer(Command::RuleAt, Outcome::Done);
    rule.rule = {3, 0x8000, 5, "bake.exe"};
    const std::optional<Reply> ruleBack = DecodeR(EncodeReply(rule));
    ASSERT_TRUE(ruleBack);
    EXPECT_EQ(ruleBack->rule.count, 3u);
    EXPECT_EQ(ruleBack->rule.level, 0x8000u);
    EXPECT_EQ(ruleBack->rule.problem, 5);
    EXPECT_EQ(ruleBack->rule.program, "bake.exe");
    rule.rule.problem = kLastRuleProblem + 1;
    EXPECT_FALSE(DecodeR(EncodeReply(rule)));

    Reply state = Answer(Command::AutomationStatus, Outcome::Done);
    state.automation.holder = 2;
    state.automation.hotkeys[0] = 1;
    state.automation.hotkeys[5] = 2;
    state.automation.holderName = std::string(kMaxRuleProgram, 'n');
    const std::vector<uint8_t> stateBytes = EncodeReply(state);
    EXPECT_EQ(stateBytes.size(), kMaxMessage);
    const std::optional<Reply> stateBack = DecodeR(stateBytes);
    ASSERT_TRUE(stateBack);
    EXPECT_EQ(stateBack->automation.holder, 2);
    EXPECT_EQ(stateBack->automation.hotkeys[5], 2);
    EXPECT_EQ(stateBack->automation.holderName.size(), kMaxRuleProgram);
    state.automation.hotkeys[2] = kLastHotkeyState + 1;
    EXPECT_FALSE(DecodeR(EncodeReply(state)));

    // Done and refused rule changes carry no payload; with one they are no reply.
    for (Command change : {Command::AddRule, Command::RemoveRule}) {
        const std::optional<Reply> done = DecodeR(EncodeReply(Answer(change, Outcome::Done)));
        ASSERT_TRUE(done) << int(change);
        EXPECT_EQ(done->outcome, Outcome::Done);
    }
    std::vector<uint8_t> refused = EncodeReply(Answer(Command::AddRule, Outcome::Refused, Reason::DuplicateRule));
    ASSERT_TRUE(DecodeR(refused));
    EXPECT_EQ(DecodeR(refused)->reason, Reason::DuplicateRule);
    refused.push_back(0);
    refused[10] = 1;
    EXPECT_FALSE(DecodeR(refused));
}

} // namespace
