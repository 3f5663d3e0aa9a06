#include "engine/SavingsCsv.h"

#include "engine/CalendarDay.h"

#include <charconv>

namespace history {
namespace {

constexpr const char* kModeNames[kModes] = {"turbo", "high_performance", "medium_saving", "max_saving", "auto"};
constexpr const char* kGearNames[kAutoGears] = {"turbo", "high_performance", "medium_saving", "max_saving"};
constexpr char kLineEnd[] = "\r\n";

std::vector<CsvColumn> MakeColumns()
{
    std::vector<CsvColumn> columns = {
        {"board_saved_wh", false}, {"vga_saved_wh", false}, {"cpu_used_wh", false}, {"co2_avoided_g", false}};
    for (const char* mode : kModeNames) {
        columns.push_back({std::string(mode) + "_seconds", true});
        columns.push_back({std::string(mode) + "_saved_wh", false});
    }
    for (const char* gear : kGearNames)
        columns.push_back({std::string("auto_at_") + gear + "_seconds", true});
    return columns;
}

// Fixed-point with six places: to_chars ignores the locale, so the decimal
// separator is always a dot.
void AppendNumber(std::string& row, double value)
{
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
    row.append(text, result.ec == std::errc() ? result.ptr : text);
}

} // namespace

const std::vector<CsvColumn>& CsvColumns()
{
    static const std::vector<CsvColumn> columns = MakeColumns();
    return columns;
}

std::vector<double> CsvValues(const DayRecord& record)
{
    double board = 0;
    double vga = 0;
    for (int mode = 0; mode < kModes; ++mode) {
        board += record.boardSaved[mode];
        vga += record.vgaSaved[mode];
    }
    std::vector<double> values = {board, vga, record.cpuUsed, record.co2Avoided / 1000};
    for (int mode = 0; mode < kModes; ++mode) {
        values.push_back(record.modeSeconds[mode]);
        values.push_back(record.SavedIn(mode));
    }
    for (uint32_t seconds : record.autoGearSeconds)
        values.push_back(seconds);
    return values;
}

std::string CsvHeader()
{
    std::string header = kCsvDateColumn;
    for (const CsvColumn& column : CsvColumns())
        header += "," + column.name;
    return header + kLineEnd;
}

std::string CsvRow(const DayRecord& record)
{
    char date[11];
    calendar::FormatIsoDate(record.day, date);
    std::string row = date;
    const std::vector<CsvColumn>& columns = CsvColumns();
    const std::vector<double> values = CsvValues(record);
    for (size_t index = 0; index < columns.size(); ++index) {
        row.push_back(',');
        if (columns[index].seconds)
            row += std::to_string(uint32_t(values[index]));
        else
            AppendNumber(row, values[index]);
    }
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
