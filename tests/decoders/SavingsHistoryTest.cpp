// The savings history in plain C++: days by calendar date, ticks credited
// to their day and mode, the bound on days kept, the stored form with every
// kind of damage it must survive, and the CSV rows.

#include "engine/CalendarDay.h"
#include "engine/SavingsCsv.h"
#include "engine/SavingsHistoryCodec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

using namespace history;

namespace {

const int kToday = calendar::DayNumber({2026, 12, 9});

Tick MakeTick(int mode, int gear, double board, double vga = 0)
{
    Tick tick;
    tick.modeIndex = mode;
    tick.savingIndex = gear;
    tick.seconds = 5;
    tick.boardSaved = board;
    tick.vgaSaved = vga;
    tick.cpuUsed = 40 * 5 / 3600.0;
    tick.co2PerWattHour = 615;
    return tick;
}

DayRecord Day(int day, double saved = 1)
{
    DayRecord record;
    record.day = day;
    record.modeSeconds = {10, 20, 30, 40, 50};
    record.autoGearSeconds = {0, 5, 15, 30};
    record.boardSaved = {0, 0, saved, 2 * saved, 0.5};
    record.vgaSaved = {0, 0, 0.25, 0, 0.125};
    record.cpuUsed = 3.5;
    record.co2Avoided = record.Saved() * 615;
    return record;
}

std::vector<DayRecord> Decode(const std::vector<uint8_t>& bytes, unsigned& problems)
{
    return DecodeHistory(bytes.data(), bytes.size(), kToday, problems);
}

void PutWord(std::vector<uint8_t>& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = uint8_t(value >> (8 * i));
}

void PutNumber(std::vector<uint8_t>& bytes, size_t at, double value)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    PutWord(bytes, at, uint32_t(bits));
    PutWord(bytes, at + 4, uint32_t(bits >> 32));
}

// Offsets inside one stored record.
constexpr size_t kDayAt = 0;
constexpr size_t kSecondsAt = 4;
constexpr size_t kBoardSavedAt = 40;
constexpr size_t kCo2At = 128;

size_t RecordAt(size_t index)
{
    return kHeaderBytes + index * kRecordBytes;
}

TEST(CalendarDay, NumbersDatesAndWeekdays)
{
    EXPECT_EQ(calendar::DayNumber({1970, 1, 1}), 0);
    EXPECT_EQ(calendar::DayNumber({2000, 1, 1}), kEarliestDay);
    EXPECT_EQ(calendar::DayNumber({2024, 3, 1}) - calendar::DayNumber({2024, 2, 28}), 2) << "leap year";
    EXPECT_EQ(calendar::DayNumber({2100, 3, 1}) - calendar::DayNumber({2100, 2, 28}), 1) << "no leap day in 2100";
    for (int day = kEarliestDay - 800; day < kEarliestDay + 60000; day += 37) {
        const calendar::Date date = calendar::DateOf(day);
        ASSERT_EQ(calendar::DayNumber(date), day) << date.year << "-" << date.month << "-" << date.day;
    }
    EXPECT_EQ(calendar::Weekday(kToday), 2) << "2026-12-09 is a Wednesday";
    char text[11];
    calendar::FormatIsoDate(calendar::DayNumber({2027, 1, 3}), text);
    EXPECT_STREQ(text, "2027-01-03");
}

TEST(SavingsHistoryModel, TicksGoToTheirDayAndMode)
{
    SavingsHistory history;
    for (int i = 0; i < 3; ++i)
        history.Add(kToday, MakeTick(3, 3, 0.02, 0.01));
    history.Add(kToday, MakeTick(4, 2, 0.015));
    history.Add(kToday, MakeTick(0, 0, 0));
    history.Add(kToday + 1, MakeTick(2, 2, 0.5));
    ASSERT_EQ(history.Days().size(), 2u);
    const DayRecord& first = history.Days()[0];
    EXPECT_EQ(first.day, kToday);
    EXPECT_EQ(first.modeSeconds[3], 15u);
    EXPECT_EQ(first.modeSeconds[4], 5u);
    EXPECT_EQ(first.modeSeconds[0], 5u);
    EXPECT_EQ(first.autoGearSeconds[2], 5u) << "Auto's time by the gear it ran";
    EXPECT_EQ(first.autoGearSeconds[3], 0u) << "only Auto's own time is split by gear";
    EXPECT_DOUBLE_EQ(first.boardSaved[3], 0.06);
    EXPECT_DOUBLE_EQ(first.vgaSaved[3], 0.03);
    EXPECT_DOUBLE_EQ(first.SavedIn(4), 0.015);
    EXPECT_DOUBLE_EQ(first.cpuUsed, 5 * 40 * 5 / 3600.0);
    EXPECT_DOUBLE_EQ(first.co2Avoided, (0.09 + 0.015) * 615);
    EXPECT_EQ(history.Days()[1].day, kToday + 1);
    EXPECT_DOUBLE_EQ(history.Days()[1].Saved(), 0.5);
}

TEST(SavingsHistoryModel, SaneWhateverTheTicksAndTheClock)
{
    SavingsHistory history;
    history.Add(kToday, MakeTick(2, 2, 1));
    history.Add(kToday + 10, MakeTick(2, 2, 1)); // clock forward: days between stay absent
    history.Add(kToday + 4, MakeTick(3, 3, 2));  // clock back: in date order
    history.Add(kToday, MakeTick(3, 3, 4));      // back onto a day held
    ASSERT_EQ(history.Days().size(), 3u);
    EXPECT_EQ(history.Days()[0].day, kToday);
    EXPECT_EQ(history.Days()[1].day, kToday + 4);
    EXPECT_EQ(history.Days()[2].day, kToday + 10);
    EXPECT_DOUBLE_EQ(history.Days()[0].Saved(), 5);

    // Nonsense figures and modes add nothing harmful.
    Tick bad = MakeTick(9, 7, std::nan(""), -3);
    bad.cpuUsed = std::numeric_limits<double>::infinity();
    bad.seconds = 1e12;
    EXPECT_TRUE(history.Add(kToday + 10, bad));
    const DayRecord& last = history.Days().back();
    EXPECT_TRUE(last.IsPlausible());
    EXPECT_EQ(last.modeSeconds[1], kMaxDaySeconds) << "an unknown mode counts as High Performance";
    EXPECT_DOUBLE_EQ(last.Saved(), 1);
}

TEST(SavingsHistoryModel, KeepsTheLatestDaysOnly)
{
    SavingsHistory history;
    const int first = kToday - int(kMaxDays) - 5;
    for (int day = first; day <= kToday; ++day)
        history.Add(day, MakeTick(3, 3, 1));
    ASSERT_EQ(history.Days().size(), kMaxDays);
    EXPECT_EQ(history.Days().front().day, kToday - int(kMaxDays) + 1);
    const uint32_t generation = history.Generation();
    EXPECT_FALSE(history.Add(first, MakeTick(3, 3, 1))) << "older than every day kept";
    EXPECT_EQ(history.Days().front().day, kToday - int(kMaxDays) + 1);
    // Readers of the list see it change only when a day comes or goes.
    history.Add(kToday, MakeTick(3, 3, 1));
    history.Add(kToday - 3, MakeTick(3, 3, 1));
    EXPECT_EQ(history.Generation(), generation) << "ticks to days already there";
    history.Add(kToday + 1, MakeTick(3, 3, 1));
    EXPECT_NE(history.Generation(), generation) << "a new day, the oldest out";
    const auto changes = [&history](auto change) {
        const uint32_t before = history.Generation();
        change();
        return history.Generation() != before;
    };
    EXPECT_TRUE(changes([&] { history.Assign(history.Days()); })) << "a load";
    EXPECT_TRUE(changes([&] { history.Clear(); }));

    // A gap filled in by a clock set back pushes the oldest day out.
    SavingsHistory gapped;
    for (int day = kToday - int(kMaxDays); day < kToday; ++day)
        gapped.Add(day, MakeTick(3, 3, 1));
    gapped.Add(kToday + 1, MakeTick(3, 3, 1));
    gapped.Add(kToday, MakeTick(3, 3, 1));
    ASSERT_EQ(gapped.Days().size(), kMaxDays);
    EXPECT_EQ(gapped.Days()[kMaxDays - 2].day, kToday);
    for (size_t i = 1; i < gapped.Days().size(); ++i)
        ASSERT_LT(gapped.Days()[i - 1].day, gapped.Days()[i].day);
}

TEST(SavingsHistoryCodec, StoredFormKeepsEveryFigure)
{
    std::vector<DayRecord> days;
    for (int i = 0; i < 3; ++i)
        days.push_back(Day(kToday - 5 + 2 * i, 0.1 * i));
    const std::vector<uint8_t> bytes = EncodeHistory(days);
    ASSERT_EQ(bytes.size(), kHeaderBytes + 3 * kRecordBytes);
    unsigned problems = 1;
    const std::vector<DayRecord> decoded = Decode(bytes, problems);
    EXPECT_EQ(problems, 0u);
    ASSERT_EQ(decoded.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(decoded[i].day, days[i].day);
        EXPECT_EQ(decoded[i].modeSeconds, days[i].modeSeconds);
        EXPECT_EQ(decoded[i].autoGearSeconds, days[i].autoGearSeconds);
        EXPECT_EQ(decoded[i].boardSaved, days[i].boardSaved);
        EXPECT_EQ(decoded[i].vgaSaved, days[i].vgaSaved);
        EXPECT_EQ(decoded[i].cpuUsed, days[i].cpuUsed);
        EXPECT_EQ(decoded[i].co2Avoided, days[i].co2Avoided);
    }
    EXPECT_TRUE(Decode(EncodeHistory({}), problems).empty());
    EXPECT_EQ(problems, 0u);
}

// Each kind of damage: what is loaded, and the problem named.
TEST(SavingsHistoryCodec, HeaderAndSizeMustMatch)
{
    const std::vector<uint8_t> good = EncodeHistory({Day(kToday - 1), Day(kToday)});
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        unsigned problem;
    };
    std::vector<Case> cases;
    cases.push_back({"empty", {}, kBadHeader});
    cases.push_back({"header cut short", {good.begin(), good.begin() + 11}, kBadHeader});
    std::vector<uint8_t> tag = good;
    tag[0] = 'Q';
    cases.push_back({"tag", tag, kBadHeader});
    std::vector<uint8_t> version = good;
    PutWord(version, 4, 2);
    cases.push_back({"version", version, kBadHeader});
    cases.push_back({"last record cut", {good.begin(), good.end() - 1}, kBadSize});
    std::vector<uint8_t> longer = good;
    longer.push_back(0);
    cases.push_back({"trailing byte", longer, kBadSize});
    std::vector<uint8_t> fewer = good;
    PutWord(fewer, 8, 1);
    cases.push_back({"count below the records", fewer, kBadSize});
    std::vector<uint8_t> huge = good;
    PutWord(huge, 8, 0xFFFFFFFF);
    cases.push_back({"huge count", huge, kTooManyDays});
    std::vector<uint8_t> overBound = good;
    PutWord(overBound, 8, uint32_t(kMaxDays + 1));
    cases.push_back({"count over the bound", overBound, kTooManyDays});
    for (const Case& c : cases) {
        unsigned problems = 0;
        EXPECT_TRUE(Decode(c.bytes, problems).empty()) << c.what;
        EXPECT_EQ(problems, c.problem) << c.what;
    }
    unsigned problems = 0;
    EXPECT_TRUE(DecodeHistory(nullptr, 0, kToday, problems).empty());
    EXPECT_EQ(DescribeProblems(kBadHeader | kBadDate), "bad header, bad date");
}

TEST(SavingsHistoryCodec, DamagedRecordsAreLeftOutAndTheRestKept)
{
    struct Case {
        const char* what;
        size_t at;
        double number; // written as a double at `at` unless `word` is set
        bool word;
        uint32_t value;
        unsigned problem;
    };
    const Case cases[] = {
        {"NaN", kBoardSavedAt, std::nan(""), false, 0, kBadFigures},
        {"infinity", kCo2At, std::numeric_limits<double>::infinity(), false, 0, kBadFigures},
        {"negative", kBoardSavedAt + 8, -0.5, false, 0, kBadFigures},
        {"huge saving", kBoardSavedAt, 1e300, false, 0, kBadFigures},
        {"more than two days of time", kSecondsAt, 0, true, kMaxDaySeconds + 1, kBadFigures},
        {"after tomorrow", kDayAt, 0, true, uint32_t(kToday + 2), kBadDate},
        {"before the earliest day", kDayAt, 0, true, uint32_t(kEarliestDay - 1), kBadDate},
        {"negative date", kDayAt, 0, true, 0x80000000u, kBadDate},
        {"same day as the one before", kDayAt, 0, true, uint32_t(kToday - 3), kDisorder},
    };
    const std::vector<uint8_t> good = EncodeHistory({Day(kToday - 3), Day(kToday - 2), Day(kToday - 1)});
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = good;
        if (c.word)
            PutWord(bytes, RecordAt(1) + c.at, c.value);
        else
            PutNumber(bytes, RecordAt(1) + c.at, c.number);
        unsigned problems = 0;
        const std::vector<DayRecord> days = Decode(bytes, problems);
        EXPECT_EQ(problems, c.problem) << c.what;
        ASSERT_EQ(days.size(), 2u) << c.what;
        EXPECT_EQ(days[0].day, kToday - 3) << c.what;
        EXPECT_EQ(days[1].day, kToday - 1) << c.what;
    }
    unsigned problems = 0;
    EXPECT_EQ(Decode(EncodeHistory({Day(kToday + 1)}), problems).size(), 1u) << "tomorrow: another time zone";
    EXPECT_EQ(problems, 0u);
}

TEST(SavingsCsv, OneRowADayWithIsoDatesAndDotDecimals)
{
    // A comma-decimal locale must not change the rows.
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    const bool commaLocale = std::setlocale(LC_NUMERIC, "German") || std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    DayRecord record = Day(calendar::DayNumber({2026, 3, 7}), 1.5);
    const std::string row = CsvRow(record);
    std::setlocale(LC_NUMERIC, saved.c_str());

    EXPECT_EQ(row, "2026-03-07,5.000000,0.375000,3.500000,3.305625,10,0.000000,20,0.000000,30,1.750000,40,3.000000,"
                   "50,0.625000,0,5,15,30\r\n")
        << (commaLocale ? "under a comma-decimal locale" : "");
    const std::string header = CsvHeader();
    EXPECT_EQ(header.rfind("date,board_saved_wh,", 0), 0u);
    auto columns = [](const std::string& line) { return std::count(line.begin(), line.end(), ',') + 1; };
    EXPECT_EQ(columns(header), columns(row));
    const std::string document = CsvDocument({record, Day(calendar::DayNumber({2026, 3, 8}))});
    EXPECT_EQ(document.rfind(header, 0), 0u);
    EXPECT_EQ(std::count(document.begin(), document.end(), '\n'), 3);
}

} // namespace
