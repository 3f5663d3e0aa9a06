#include "engine/SavingsHistoryCodec.h"

#include <bit>
#include <cstring>

namespace history {
namespace {

constexpr char kTag[4] = {'P', 'X', 'S', 'H'};
constexpr uint32_t kVersion = 1;

class Writer {
public:
    explicit Writer(std::vector<uint8_t>& out) : out_(out) {}
    void Word(uint32_t value)
    {
        for (int shift = 0; shift < 32; shift += 8)
            out_.push_back(uint8_t(value >> shift));
    }
    void Number(double value)
    {
        const uint64_t bits = std::bit_cast<uint64_t>(value);
        Word(uint32_t(bits));
        Word(uint32_t(bits >> 32));
    }

private:
    std::vector<uint8_t>& out_;
};

class Reader {
public:
    explicit Reader(const uint8_t* data) : at_(data) {}
    uint32_t Word()
    {
        const uint32_t value = uint32_t(at_[0]) | uint32_t(at_[1]) << 8 | uint32_t(at_[2]) << 16 | uint32_t(at_[3]) << 24;
        at_ += 4;
        return value;
    }
    double Number()
    {
        const uint64_t low = Word();
        return std::bit_cast<double>(low | uint64_t(Word()) << 32);
    }

private:
    const uint8_t* at_;
};

void WriteRecord(Writer& out, const DayRecord& record)
{
    out.Word(uint32_t(record.day));
    for (uint32_t seconds : record.modeSeconds)
        out.Word(seconds);
    for (uint32_t seconds : record.autoGearSeconds)
        out.Word(seconds);
    for (double saved : record.boardSaved)
        out.Number(saved);
    for (double saved : record.vgaSaved)
        out.Number(saved);
    out.Number(record.cpuUsed);
    out.Number(record.co2Avoided);
}

DayRecord ReadRecord(Reader& in)
{
    DayRecord record;
    record.day = int32_t(in.Word());
    for (uint32_t& seconds : record.modeSeconds)
        seconds = in.Word();
    for (uint32_t& seconds : record.autoGearSeconds)
        seconds = in.Word();
    for (double& saved : record.boardSaved)
        saved = in.Number();
    for (double& saved : record.vgaSaved)
        saved = in.Number();
    record.cpuUsed = in.Number();
    record.co2Avoided = in.Number();
    return record;
}

} // namespace

std::vector<uint8_t> EncodeHistory(const std::vector<DayRecord>& days)
{
    std::vector<uint8_t> bytes;
    bytes.reserve(kHeaderBytes + days.size() * kRecordBytes);
    bytes.insert(bytes.end(), kTag, kTag + sizeof kTag);
    Writer out(bytes);
    out.Word(kVersion);
    out.Word(uint32_t(days.size()));
    for (const DayRecord& record : days)
        WriteRecord(out, record);
    return bytes;
}

std::vector<DayRecord> DecodeHistory(const uint8_t* data, size_t size, int today, unsigned& problems)
{
    problems = 0;
    std::vector<DayRecord> days;
    if (!data || size < kHeaderBytes || std::memcmp(data, kTag, sizeof kTag) != 0) {
        problems |= kBadHeader;
        return days;
    }
    Reader in(data + sizeof kTag);
    if (in.Word() != kVersion) {
        problems |= kBadHeader;
        return days;
    }
    const uint32_t count = in.Word();
    if (count > kMaxDays) {
        problems |= kTooManyDays;
        return days;
    }
    if (size != kHeaderBytes + count * kRecordBytes) {
        problems |= kBadSize;
        return days;
    }
    days.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        const DayRecord record = ReadRecord(in);
        if (!record.IsPlausible())
            problems |= kBadFigures;
        else if (record.day < kEarliestDay || int64_t(record.day) > int64_t(today) + 1)
            problems |= kBadDate;
        else if (!days.empty() && record.day <= days.back().day)
            problems |= kDisorder;
        else
            days.push_back(record);
    }
    return days;
}

std::string DescribeProblems(unsigned problems)
{
    static constexpr struct {
        Problem bit;
        const char* name;
    } kNames[] = {{kBadHeader, "bad header"}, {kBadSize, "bad size"},  {kTooManyDays, "too many days"},
                  {kBadFigures, "bad figures"}, {kBadDate, "bad date"}, {kDisorder, "days out of order"}};
    std::string text;
    for (const auto& entry : kNames) {
        if (!(problems & entry.bit))
            continue;
        if (!text.empty())
            text += ", ";
        text += entry.name;
    }
    return text;
}

} // namespace history
