#include "ipc/ControlProtocol.h"

#include "engine/CalendarDay.h"
#include "engine/SavingsHistoryCodec.h"

#include <array>
#include <cmath>
#include <cstring>

namespace kelp::control {
namespace {

constexpr size_t kModeArgumentsSize = 8;
constexpr size_t kStatusSize = 3 * 4 + 6 * 8 + 2 * 8;
// The emission factor that may follow the status's other fields.
constexpr size_t kStatusFactorSize = 8;
constexpr size_t kLevelSize = 4;
constexpr size_t kProgressSize = 3 * 4;
constexpr size_t kDayIndexSize = 4;

// A history day: the generation, the day number, the nine second counts
// (by mode, then Auto's by gear) packed three to a 64-bit word in 21-bit
// fields with the top bit clear, then the twelve figures (board saved by
// mode, graphics card saved by mode, CPU used, CO2 avoided). A whole record
// in plain words would not fit a payload.
constexpr size_t kSecondCounts = history::kModes + history::kAutoGears;
constexpr size_t kCountsPerWord = 3;
constexpr unsigned kCountBits = 21;
constexpr uint64_t kCountMask = (uint64_t(1) << kCountBits) - 1;
constexpr size_t kSecondWords = kSecondCounts / kCountsPerWord;
constexpr size_t kHistoryDaySize = 4 + 4 + kSecondWords * 8 + (2 * history::kModes + 2) * 8;
static_assert(kSecondWords * kCountsPerWord == kSecondCounts, "the counts fill their words");
static_assert(kCountsPerWord * kCountBits < 64, "the top bit of each word stays clear");
static_assert(history::kMaxDaySeconds <= kCountMask, "a day's seconds fit a field");
static_assert(kHistoryDaySize <= kMaxPayload, "a day fits one reply");

class Writer {
public:
    void U8(uint8_t value) { Put(&value, sizeof value); }
    // A length byte, then the text (callers keep it within a byte).
    void Text(const std::string& text)
    {
        U8(uint8_t(text.size()));
        Put(text.data(), text.size());
    }
    void U16(uint16_t value) { Put(&value, sizeof value); }
    void U32(uint32_t value) { Put(&value, sizeof value); }
    void U64(uint64_t value) { Put(&value, sizeof value); }
    void F64(double value) { Put(&value, sizeof value); }
    std::vector<uint8_t> Take() { return std::move(bytes_); }

private:
    // The program and pellixctl are little-endian x86 builds, as is the format.
    void Put(const void* value, size_t size)
    {
        const auto* bytes = static_cast<const uint8_t*>(value);
        bytes_.insert(bytes_.end(), bytes, bytes + size);
    }
    std::vector<uint8_t> bytes_;
};

class Reader {
public:
    Reader(const uint8_t* bytes, size_t size) : bytes_(bytes), size_(size) {}
    uint8_t U8() { return Get<uint8_t>(); }
    uint16_t U16() { return Get<uint16_t>(); }
    // A length byte and the text: at most `limit` bytes and no NUL.
    std::string Text(size_t limit)
    {
        const size_t length = U8();
        if (!ok_ || length > limit || length > Left()) {
            ok_ = false;
            return {};
        }
        std::string text(reinterpret_cast<const char*>(bytes_ + offset_), length);
        offset_ += length;
        if (text.find('\0') != std::string::npos)
            ok_ = false;
        return text;
    }
    uint32_t U32() { return Get<uint32_t>(); }
    uint64_t U64() { return Get<uint64_t>(); }
    double F64()
    {
        const double value = Get<double>();
        if (!std::isfinite(value))
            ok_ = false;
        return value;
    }
    size_t Left() const { return size_ - offset_; }
    bool Ok() const { return ok_; }

private:
    template <typename T> T Get()
    {
        T value{};
        if (Left() < sizeof value) {
            ok_ = false;
            return value;
        }
        std::memcpy(&value, bytes_ + offset_, sizeof value);
        offset_ += sizeof value;
        return value;
    }
    const uint8_t* bytes_;
    size_t size_;
    size_t offset_ = 0;
    bool ok_ = true;
};

std::vector<uint8_t> Message(uint16_t code, uint16_t detail, const std::vector<uint8_t>& payload)
{
    Writer header;
    header.U32(kMagic);
    header.U16(kVersion);
    header.U16(code);
    header.U16(detail);
    header.U16(uint16_t(payload.size()));
    std::vector<uint8_t> bytes = header.Take();
    bytes.insert(bytes.end(), payload.begin(), payload.end());
    return bytes;
}

struct Header {
    uint16_t code = 0;
    uint16_t detail = 0;
};

// The header of a message of this version whose length field matches the
// bytes received; the reader is left at the payload.
std::optional<Header> ReadHeader(Reader& reader, size_t size)
{
    if (size < kHeaderSize || size > kMaxMessage)
        return std::nullopt;
    Header header;
    const uint32_t magic = reader.U32();
    const uint16_t version = reader.U16();
    header.code = reader.U16();
    header.detail = reader.U16();
    const uint16_t length = reader.U16();
    if (!reader.Ok() || magic != kMagic || version != kVersion || length != reader.Left())
        return std::nullopt;
    return header;
}

bool IsCommand(uint16_t code)
{
    return code >= uint16_t(Command::Status) && code <= kLastCommand;
}

bool TakesModeArguments(Command command)
{
    return command == Command::SetMode || command == Command::RestoreMode;
}

size_t RequestPayloadSize(Command command)
{
    if (TakesModeArguments(command))
        return kModeArgumentsSize;
    return command == Command::HistoryDay || command == Command::RuleAt ? kDayIndexSize : 0;
}

bool CarriesProgram(Command command)
{
    return command == Command::AddRule || command == Command::RemoveRule;
}

// The rule reply: count and level in 16 bits each, the verdict, the program.
constexpr size_t kRuleFixedSize = 2 + 2 + 1 + 1;
// The automation's state: the holder, the hotkeys, the holder's name.
constexpr size_t kAutomationFixedSize = 1 + kHotkeys + 1;
static_assert(kRuleFixedSize + kMaxRuleProgram <= kMaxPayload, "a rule fits one reply");
static_assert(4 + 1 + kMaxRuleProgram <= kMaxPayload, "a rule fits one request");
static_assert(kAutomationFixedSize + kMaxRuleProgram <= kMaxPayload, "the state fits one reply");

// Years of four digits: the dates the history's rows can write.
bool IsHistoryDate(int day)
{
    static const int latest = calendar::DayNumber({9999, 12, 31});
    return day >= history::kEarliestDay && day <= latest;
}

std::array<uint32_t*, kSecondCounts> SecondCounts(history::DayRecord& day)
{
    std::array<uint32_t*, kSecondCounts> counts{};
    for (int mode = 0; mode < history::kModes; ++mode)
        counts[mode] = &day.modeSeconds[mode];
    for (int gear = 0; gear < history::kAutoGears; ++gear)
        counts[history::kModes + gear] = &day.autoGearSeconds[gear];
    return counts;
}

std::array<double*, 2 * history::kModes + 2> Figures(history::DayRecord& day)
{
    std::array<double*, 2 * history::kModes + 2> figures{};
    for (int mode = 0; mode < history::kModes; ++mode) {
        figures[mode] = &day.boardSaved[mode];
        figures[history::kModes + mode] = &day.vgaSaved[mode];
    }
    figures[2 * history::kModes] = &day.cpuUsed;
    figures[2 * history::kModes + 1] = &day.co2Avoided;
    return figures;
}

void WriteDay(Writer& payload, uint32_t generation, history::DayRecord day)
{
    payload.U32(generation);
    payload.U32(uint32_t(day.day));
    const auto counts = SecondCounts(day);
    for (size_t word = 0; word < kSecondWords; ++word) {
        uint64_t packed = 0;
        for (size_t field = 0; field < kCountsPerWord; ++field)
            packed |= (*counts[word * kCountsPerWord + field] & kCountMask) << (field * kCountBits);
        payload.U64(packed);
    }
    for (const double* figure : Figures(day))
        payload.F64(*figure);
}

// False for anything WriteDay would not have written for a sane day.
bool ReadDay(Reader& reader, uint32_t& generation, history::DayRecord& day)
{
    generation = reader.U32();
    day.day = int32_t(reader.U32());
    const auto counts = SecondCounts(day);
    for (size_t word = 0; word < kSecondWords; ++word) {
        const uint64_t packed = reader.U64();
        if (packed >> (kCountsPerWord * kCountBits))
            return false;
        for (size_t field = 0; field < kCountsPerWord; ++field)
            *counts[word * kCountsPerWord + field] = uint32_t((packed >> (field * kCountBits)) & kCountMask);
    }
    for (double* figure : Figures(day))
        *figure = reader.F64();
    return reader.Ok() && IsHistoryDate(day.day) && day.IsPlausible();
}

// Done and Failed replies carry the payload of the command they answer.
bool CarriesPayload(Outcome outcome)
{
    return outcome == Outcome::Done || outcome == Outcome::Failed;
}

bool IsEmissionFactor(double factor)
{
    return factor > 0 && factor <= history::kMaxCo2PerWattHour;
}

size_t PayloadSize(Command answers)
{
    if (answers == Command::Status)
        return kStatusSize;
    if (answers == Command::HistoryDay)
        return kHistoryDaySize;
    if (CarriesProgram(answers))
        return 0;
    return TakesModeArguments(answers) ? kLevelSize : kProgressSize;
}

} // namespace

std::vector<uint8_t> EncodeRequest(const Request& request)
{
    Writer payload;
    if (request.command == Command::SetMode) {
        payload.U32(request.level);
        payload.U32(request.flags);
    } else if (request.command == Command::RestoreMode) {
        payload.U32(request.level);
        payload.U32(request.expected);
    } else if (request.command == Command::HistoryDay || request.command == Command::RuleAt) {
        payload.U32(request.index);
    } else if (CarriesProgram(request.command)) {
        if (request.command == Command::AddRule)
            payload.U32(request.level);
        payload.Text(request.program.substr(0, kMaxRuleProgram));
    }
    return Message(uint16_t(request.command), 0, payload.Take());
}

std::optional<Request> DecodeRequest(const uint8_t* bytes, size_t size)
{
    if (!bytes)
        return std::nullopt;
    Reader reader(bytes, size);
    const std::optional<Header> header = ReadHeader(reader, size);
    if (!header || header->detail != 0 || !IsCommand(header->code))
        return std::nullopt;
    Request request;
    request.command = Command(header->code);
    if (CarriesProgram(request.command)) {
        if (request.command == Command::AddRule)
            request.level = reader.U32();
        request.program = reader.Text(kMaxRuleProgram);
        if (!reader.Ok() || reader.Left() != 0)
            return std::nullopt;
        return request;
    }
    if (reader.Left() != RequestPayloadSize(request.command))
        return std::nullopt;
    if (TakesModeArguments(request.command)) {
        request.level = reader.U32();
        (request.command == Command::SetMode ? request.flags : request.expected) = reader.U32();
    } else if (request.command == Command::HistoryDay) {
        request.index = reader.U32();
        if (request.index >= history::kMaxDays)
            return std::nullopt;
    } else if (request.command == Command::RuleAt) {
        request.index = reader.U32();
        if (request.index > 0xFFFF)
            return std::nullopt;
    }
    if (request.command == Command::SetMode && (request.flags & ~kConfirmTweak) != 0)
        return std::nullopt;
    return request;
}

std::vector<uint8_t> EncodeReply(const Reply& reply)
{
    Writer payload;
    if (CarriesPayload(reply.outcome)) {
        if (reply.answers == Command::Status) {
            const Status& s = reply.status;
            payload.U32(s.level);
            payload.U32(s.autoGear);
            payload.U32(s.flags);
            for (double value : {s.cpuPowerW, s.vgaPowerW, s.boardTotalWh, s.boardCurrentWh, s.vgaTotalWh,
                                 s.vgaCurrentWh})
                payload.F64(value);
            payload.U64(s.totalSince);
            payload.U64(s.currentSince);
            if (s.co2PerWattHour)
                payload.F64(*s.co2PerWattHour);
        } else if (reply.answers == Command::HistoryDay) {
            WriteDay(payload, reply.generation, reply.record);
        } else if (TakesModeArguments(reply.answers)) {
            payload.U32(reply.level);
        } else if (reply.answers == Command::RuleAt) {
            payload.U16(uint16_t(reply.rule.count));
            payload.U16(uint16_t(reply.rule.level));
            payload.U8(reply.rule.problem);
            payload.Text(reply.rule.program.substr(0, kMaxRuleProgram));
        } else if (reply.answers == Command::AutomationStatus) {
            payload.U8(reply.automation.holder);
            for (uint8_t state : reply.automation.hotkeys)
                payload.U8(state);
            payload.Text(reply.automation.holderName.substr(0, kMaxRuleProgram));
        } else if (CarriesProgram(reply.answers)) {
            // Done or not is all there is to say.
        } else {
            payload.U32(uint32_t(reply.progress.state));
            payload.U32(reply.progress.step);
            payload.U32(reply.progress.steps);
        }
    }
    const uint16_t code = uint16_t(uint16_t(reply.answers) | (uint16_t(reply.outcome) << 8));
    return Message(code, uint16_t(reply.reason), payload.Take());
}

std::optional<Reply> DecodeReply(const uint8_t* bytes, size_t size)
{
    if (!bytes)
        return std::nullopt;
    Reader reader(bytes, size);
    const std::optional<Header> header = ReadHeader(reader, size);
    if (!header)
        return std::nullopt;
    const uint16_t answers = header->code & 0xFF;
    const uint16_t outcome = header->code >> 8;
    if (!IsCommand(answers) || outcome > uint16_t(Outcome::TimedOut) || header->detail > kLastReason)
        return std::nullopt;
    Reply reply;
    reply.answers = Command(answers);
    reply.outcome = Outcome(outcome);
    reply.reason = Reason(header->detail);
    if (!CarriesPayload(reply.outcome))
        return reader.Left() == 0 ? std::optional<Reply>(reply) : std::nullopt;
    if (reply.answers == Command::RuleAt) {
        RuleEntry& rule = reply.rule;
        rule.count = reader.U16();
        rule.level = reader.U16();
        rule.problem = reader.U8();
        rule.program = reader.Text(kMaxRuleProgram);
        if (!reader.Ok() || reader.Left() != 0 || rule.problem > kLastRuleProblem || rule.count == 0)
            return std::nullopt;
        return reply;
    }
    if (reply.answers == Command::AutomationStatus) {
        AutomationState& state = reply.automation;
        state.holder = reader.U8();
        for (uint8_t& hotkey : state.hotkeys) {
            hotkey = reader.U8();
            if (hotkey > kLastHotkeyState)
                return std::nullopt;
        }
        state.holderName = reader.Text(kMaxRuleProgram);
        if (!reader.Ok() || reader.Left() != 0 || state.holder > kLastHoldCause)
            return std::nullopt;
        return reply;
    }
    const size_t expected = PayloadSize(reply.answers);
    const bool withFactor = reply.answers == Command::Status && reader.Left() == expected + kStatusFactorSize;
    if (reader.Left() != expected && !withFactor)
        return std::nullopt;
    if (reply.answers == Command::Status) {
        Status& s = reply.status;
        s.level = reader.U32();
        s.autoGear = reader.U32();
        s.flags = reader.U32();
        for (double* value : {&s.cpuPowerW, &s.vgaPowerW, &s.boardTotalWh, &s.boardCurrentWh, &s.vgaTotalWh,
                              &s.vgaCurrentWh})
            *value = reader.F64();
        s.totalSince = reader.U64();
        s.currentSince = reader.U64();
        if (withFactor) {
            s.co2PerWattHour = reader.F64();
            if (!IsEmissionFactor(*s.co2PerWattHour))
                return std::nullopt;
        }
    } else if (reply.answers == Command::HistoryDay) {
        if (!ReadDay(reader, reply.generation, reply.record))
            return std::nullopt;
    } else if (TakesModeArguments(reply.answers)) {
        reply.level = reader.U32();
    } else if (CarriesProgram(reply.answers)) {
        // No payload.
    } else {
        const uint32_t state = reader.U32();
        if (state > kLastCalibrationState)
            return std::nullopt;
        reply.progress.state = CalibrationState(state);
        reply.progress.step = reader.U32();
        reply.progress.steps = reader.U32();
        if (reply.progress.step > reply.progress.steps)
            return std::nullopt;
    }
    if (!reader.Ok())
        return std::nullopt;
    return reply;
}

double Co2Grams(const Status& status, double wattHours)
{
    return wattHours * status.co2PerWattHour.value_or(history::kDefaultCo2PerWattHour) / 1000;
}

Reply Answer(Command answers, Outcome outcome, Reason reason)
{
    Reply reply;
    reply.answers = answers;
    reply.outcome = outcome;
    reply.reason = reason;
    return reply;
}

} // namespace kelp::control
