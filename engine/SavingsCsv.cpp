#include "engine/SavingsCsv.h"

#include "engine/CalendarDay.h"

#include <charconv>

namespace history {
namespace {

constexpr const char* kModeNames[kModes] = {"turbo", "high_performance", "medium_saving", "max_saving", "auto"};
constexpr const char* kGearNames[kAutoGears] = {"turbo", "high_performance", "medium_saving", "max_saving"};
constexpr char kLineEnd[] = "\r\n";

// Fixed-point with six places: to_chars ignores the locale, so the decimal
// separator is always a dot.
void AppendNumber(std::string& row, double value)
{
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
    row.push_back(',');
    row.append(text, result.ec == std::errc() ? result.ptr : text);
}

void AppendSeconds(std::string& row, uint32_t seconds)
{
    row.push_back(',');
    row += std::to_string(seconds);
}

} // namespace

std::string CsvHeader()
{
    std::string header = "date,board_saved_wh,vga_saved_wh,cpu_used_wh,co2_avoided_g";
    for (const char* mode : kModeNames)
        header += std::string(",") + mode + "_seconds," + mode + "_saved_wh";
    for (const char* gear : kGearNames)
        header += std::string(",auto_at_") + gear + "_seconds";
    return header + kLineEnd;
}

std::string CsvRow(const DayRecord& record)
{
    char date[11];
    calendar::FormatIsoDate(record.day, date);
    std::string row = date;
    double board = 0;
    double vga = 0;
    for (int mode = 0; mode < kModes; ++mode) {
        board += record.boardSaved[mode];
        vga += record.vgaSaved[mode];
    }
    AppendNumber(row, board);
    AppendNumber(row, vga);
    AppendNumber(row, record.cpuUsed);
    AppendNumber(row, record.co2Avoided / 1000);
    for (int mode = 0; mode < kModes; ++mode) {
        AppendSeconds(row, record.modeSeconds[mode]);
        AppendNumber(row, record.SavedIn(mode));
    }
    for (uint32_t seconds : record.autoGearSeconds)
        AppendSeconds(row, seconds);
    return row + kLineEnd;
}

std::string CsvDocument(const std::vector<DayRecord>& days)
{
    std::string document = CsvHeader();
    for (const DayRecord& record : days)
        document += CsvRow(record);
    return document;
}

} // namespace history
