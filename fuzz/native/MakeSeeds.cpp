// Writes the committed seed corpora of the fuzz targets: the description
// packages and state text of the virtual board's profiles, and the edge
// cases of each format. Usage: make_seeds <corpus folder> <profile.ini>...

#include "board/core/BoardState.h"
#include "board/core/Descriptions.h"
#include "board/core/IniDocument.h"
#include "board/core/Package.h"
#include "engine/CalendarDay.h"
#include "engine/SavingsHistoryCodec.h"
#include "ipc/ControlProtocol.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

fs::path g_root;

void Save(const std::string& target, const std::string& name, const Bytes& bytes)
{
    fs::create_directories(g_root / target);
    std::ofstream(g_root / target / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void Put32(Bytes& bytes, uint32_t word)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(uint8_t(word >> shift));
}

Bytes Words(std::initializer_list<uint32_t> words)
{
    Bytes bytes;
    for (uint32_t word : words)
        Put32(bytes, word);
    return bytes;
}

std::string ReadText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void BoardSeeds(const std::vector<std::string>& profiles)
{
    for (const std::string& path : profiles) {
        const std::string text = ReadText(path);
        const std::string name = fs::path(path).stem().string();
        Save("board_state", name + ".ini", Bytes(text.begin(), text.end()));
        vboard::IniDocument document;
        vboard::BoardState state;
        std::string error;
        if (!document.Parse(text, error) || !state.Apply(document, error))
            continue;  // a profile that only includes others
        for (const auto& [id, item] : state.items) {
            char file[64];
            std::snprintf(file, sizeof file, "%s-%08x", name.c_str(), id);
            Save("bios_item", file, vboard::DescriptionPackage(item).Bytes());
        }
    }
}

// Number, string and boolean descriptions from the firmware's rules: the
// worked examples and the malformed shapes the parser must refuse.
void BiosEdgeSeeds()
{
    using vboard::package::Writer;
    auto number = [](uint32_t id, uint32_t baseWord, uint32_t step, uint32_t count,
                     std::vector<std::string> extras, bool withExtraCount = true) {
        Writer w;
        w.Integer(id);
        w.String("Edge");
        w.Integer(0);
        w.Integer(0);
        w.Integer(baseWord);
        w.Integer(step);
        w.Integer(count);
        if (withExtraCount && !extras.empty()) {
            w.Integer(uint32_t(extras.size()));
            for (const auto& text : extras)
                w.String(text);
        }
        return w.Bytes();
    };
    Save("bios_item", "edge-milli", number(0x0B000001, 0xFD000001, 1, 10, {}));
    Save("bios_item", "edge-type2", number(0x0B020001, 0xFD000001, 1, 10, {}));
    Save("bios_item", "edge-tenths", number(0x0B000002, 0xFE000064, 50, 5, {}));
    Save("bios_item", "edge-extras", number(0x0B000003, 0x00000000, 1, 4, {"Auto", "Off"}));
    Save("bios_item", "edge-negative", number(0x0B0C0004, 0x80FFFFFF, 0x00800000, 0xFFFFFFFF, {}));
    Writer extraCountTooLarge;
    for (uint32_t word : {0x0B000005u, 0u, 0u, 0u, 1u, 1u, 3u, 9u})
        extraCountTooLarge.Integer(word);
    extraCountTooLarge.String("one");
    Save("bios_item", "edge-extra-count", extraCountTooLarge.Bytes());
    Writer strings;
    for (uint32_t word : {0x0B080006u, 0u, 0u, 1u, 3u})
        strings.Integer(word);
    for (const char* text : {"Low", "Mid", "High"})
        strings.String(text);
    Save("bios_item", "edge-strings", strings.Bytes());
    Writer noStrings;
    for (uint32_t word : {0x0B080007u, 0u, 0u, 1u, 0u})
        noStrings.Integer(word);
    Save("bios_item", "edge-no-strings", noStrings.Bytes());
    Writer flag;
    for (uint32_t word : {0x0B070008u, 0u, 0u, 1u, 2u})
        flag.Integer(word);
    Save("bios_item", "edge-boolean", flag.Bytes());
    Writer two;
    two.Integer(0x0B000009);
    two.String("Two elements");
    Save("bios_item", "edge-two-elements", two.Bytes());
}

void ProfileFileSeeds()
{
    auto profile = [](uint32_t version, uint32_t count, uint32_t records) {
        Bytes bytes{'V', 'T', 'O', 'C'};
        Put32(bytes, version);
        Put32(bytes, count);
        for (uint32_t i = 0; i < records; ++i) {
            Put32(bytes, 0x03000011 + i);
            Put32(bytes, 333 + i);
        }
        return bytes;
    };
    Save("cal_oc", "saved", profile(1, 9, 9));
    Save("cal_oc", "version-2", profile(2, 1, 1));
    Save("cal_oc", "short", profile(1, 3, 2));
    Save("cal_oc", "huge-count", profile(1, 0xFFFFFFFF, 4));
    Bytes header = profile(1, 0, 0);
    header.resize(10);
    Save("cal_oc", "cut-header", header);
}

Bytes Bmp(int width, int height, int bpp, uint32_t compression, uint32_t tableEntries, size_t extraInfo,
          size_t pixelBytes, bool withFileHeader = true)
{
    Bytes info;
    Put32(info, 40);
    Put32(info, uint32_t(width));
    Put32(info, uint32_t(height));
    info.push_back(1);
    info.push_back(0);
    info.push_back(uint8_t(bpp));
    info.push_back(0);
    Put32(info, compression);
    for (int i = 0; i < 3; ++i)
        Put32(info, 0);
    Put32(info, tableEntries);
    Put32(info, 0);
    for (uint32_t i = 0; i < tableEntries; ++i)
        Put32(info, 0x00102030u * i);
    info.resize(info.size() + extraInfo, 0xFF);
    Bytes bytes;
    if (withFileHeader) {
        bytes = {'B', 'M'};
        Put32(bytes, uint32_t(14 + info.size() + pixelBytes));
        Put32(bytes, 0);
        Put32(bytes, uint32_t(14 + info.size()));
    }
    bytes.insert(bytes.end(), info.begin(), info.end());
    for (size_t i = 0; i < pixelBytes; ++i)
        bytes.push_back(uint8_t(i * 37));
    return bytes;
}

void BitmapSeeds()
{
    Save("bmp", "rgb24", Bmp(2, 2, 24, 0, 0, 0, 16));
    Save("bmp", "rgba32-top-down", Bmp(2, -2, 32, 0, 0, 0, 16));
    Save("bmp", "palette8", Bmp(3, 1, 8, 0, 4, 0, 4));
    Save("bmp", "palette4", Bmp(3, 2, 4, 0, 16, 0, 8));
    Save("bmp", "mono", Bmp(9, 2, 1, 0, 2, 0, 8));
    Save("bmp", "rgb16", Bmp(2, 1, 16, 0, 0, 0, 4));
    Save("bmp", "bitfields32", Bmp(1, 1, 32, 3, 0, 12, 4));
    Save("bmp", "bitfields-no-masks", Bmp(1, 1, 32, 3, 0, 0, 4));
    Save("bmp", "resource-palette4", Bmp(2, 2, 4, 0, 16, 0, 8, false));
    Save("bmp", "resource-bitfields16", Bmp(2, 2, 16, 3, 0, 12, 8, false));
}

void PngRecordSeeds()
{
    // width, height, colour type, missing-row word, then pixel bytes.
    Save("png_record", "rgba-3x1", Words({3, 1, 6, 0, 0xFF000000, 0x80000000, 0x00FF00FF}));
    Save("png_record", "rgb-2x2", Words({2, 2, 2, 0, 0x0A141E28, 0x32643C00}));
    Save("png_record", "palette-as-rgb", Words({4, 3, 3, 0, 0x11223344}));
    Save("png_record", "missing-row", Words({2, 3, 6, 0x80000001, 0x01020304}));
    Save("png_record", "empty", Words({0, 0, 6, 0}));
}

void BlurSeeds()
{
    for (uint8_t radius : {0, 1, 2, 3, 4, 7, 11}) {
        Bytes bytes{radius};
        float sigma = 1.0f;
        const uint8_t* s = reinterpret_cast<const uint8_t*>(&sigma);
        bytes.insert(bytes.end(), s, s + 4);
        bytes.push_back(16);  // rows
        bytes.push_back(16);  // columns
        bytes.push_back(1);   // luminance values
        for (int i = 0; i < 256; ++i)
            bytes.push_back((i / 16 + i % 16) % 3 ? 255 : 0);
        Save("blur", "radius-" + std::to_string(radius + 1), bytes);
    }
}

void PipeSeeds()
{
    for (uint32_t command : {0x00000000u, 0x00000001u, 0x00001000u, 0x00001001u, 0x00001002u})
        Save("pipe_messages", "board-" + std::to_string(command), Words({command}));
    Save("pipe_messages", "board-short", Bytes{0, 0, 0});
    Save("pipe_messages", "board-long", Words({0x00001001, 0xFFFFFFFF, 0x4000, 0x8000}));
    Save("pipe_messages", "vga-mode", Words({1, 0x4000}));
    Save("pipe_messages", "vga-result-only", Words({1}));
    Save("pipe_messages", "vga-capability", Words({1, 5, 35000}));
    Save("pipe_messages", "vga-failed", Words({0, 0x8000}));
    Save("pipe_messages", "sysctrl-oc-state", Words({1, 2, 0}));
    Save("pipe_messages", "sysctrl-short", Words({1, 2}));
}

void ControlSeeds()
{
    namespace control = kelp::control;
    using control::Command;
    const auto request = [](const char* name, Command command, uint32_t level, uint32_t extra) {
        control::Request r;
        r.command = command;
        r.level = level;
        r.flags = command == Command::SetMode ? extra : 0;
        r.expected = command == Command::RestoreMode ? extra : 0;
        r.index = command == Command::HistoryDay ? extra : 0;
        Save("control_messages", name, control::EncodeRequest(r));
    };
    request("status", Command::Status, 0, 0);
    request("set-turbo", Command::SetMode, 0x4000, 0);
    request("set-auto-yes", Command::SetMode, 0x8000, control::kConfirmTweak);
    request("restore-high", Command::RestoreMode, 0, 2);
    request("calibrate", Command::StartCalibration, 0, 0);
    request("progress", Command::CalibrationProgress, 0, 0);
    request("history-day", Command::HistoryDay, 0, 17);
    request("history-last-day", Command::HistoryDay, 0, uint32_t(history::kMaxDays - 1));
    control::Reply status = control::Answer(Command::Status, control::Outcome::Done);
    status.status.level = 0x8000;
    status.status.flags = control::kAutoSupported | control::kVgaConnected;
    status.status.cpuPowerW = 42.5;
    status.status.boardTotalWh = 12.25;
    status.status.totalSince = 0x01D9000000000000ull;
    Save("control_messages", "reply-status", control::EncodeReply(status));
    status.status.co2PerWattHour = 400;
    Save("control_messages", "reply-status-factor", control::EncodeReply(status));
    control::Reply set = control::Answer(Command::SetMode, control::Outcome::Failed);
    set.level = 2;
    Save("control_messages", "reply-set-failed", control::EncodeReply(set));
    Save("control_messages", "reply-refused",
         control::EncodeReply(control::Answer(Command::SetMode, control::Outcome::Refused,
                                              control::Reason::CalibrationNeeded)));
    control::Reply progress = control::Answer(Command::CalibrationProgress, control::Outcome::Done);
    progress.progress = {control::CalibrationState::Running, 150, 300};
    Save("control_messages", "reply-progress", control::EncodeReply(progress));
    Save("control_messages", "header-only", Bytes{'P', 'X', 'C', 'T', 1, 0, 1, 0, 0, 0, 0});
    // A day with every field set, the largest counts a day may hold, and the end of the list.
    control::Reply day = control::Answer(Command::HistoryDay, control::Outcome::Done);
    day.generation = 0x01020304;
    day.record.day = calendar::DayNumber({2026, 12, 9});
    day.record.modeSeconds = {600, 3600, 7200, history::kMaxDaySeconds, 5400};
    day.record.autoGearSeconds = {0, 1800, 1800, 1800};
    day.record.boardSaved = {0, 0.5, 9.25, 14.125, 5.5};
    day.record.vgaSaved = {0, 0, 1.5, 2.5, 1};
    day.record.cpuUsed = 240;
    day.record.co2Avoided = 33.875 * 615;
    Save("control_messages", "reply-history-day", control::EncodeReply(day));
    Save("control_messages", "reply-no-such-day",
         control::EncodeReply(control::Answer(Command::HistoryDay, control::Outcome::Refused,
                                              control::Reason::NoSuchDay)));
}

void LayoutSeeds()
{
    auto text = [](const char* name, const std::string& layout) {
        Save("layout_text", name, Bytes(layout.begin(), layout.end()));
    };
    text("form", "object MainForm: TMainForm\n  ClientWidth = 691\n  Caption = 'Pellix'\n"
                 "  Font.Style = [fsBold, fsItalic]\n  Color = $00FF00\n  OnShow = FormShow\n"
                 "  // a comment\n  object Background: TImage\n    Picture = 'Resource\\main.bmp'\n"
                 "    Left = -3\n  end\nend\n");
    text("joined", "object F: TForm\r\n  Hint = 'it''s' + ' joined' + ''\r\nend\r\n");
    text("broken", "object F TForm\n  Caption = 'open\n  Left = 12px\n  Style = [a, 1b\nend");
}

void NumLedSeeds()
{
    auto seed = [](const char* name, double number, uint32_t first, uint32_t second, uint32_t third, bool zeros,
                   const std::string& format) {
        Bytes bytes(21);
        std::memcpy(bytes.data(), &number, 8);
        const uint32_t fields[3] = {first, second, third};
        std::memcpy(bytes.data() + 8, fields, 12);
        bytes[20] = zeros;
        bytes.insert(bytes.end(), format.begin(), format.end());
        Save("numled_format", name, bytes);
    };
    seed("float", 3.14159, 0, 0, 0, false, "888.8");
    seed("zeros", 42, 0, 0, 0, true, "8888");
    seed("degrees", 45, 0, 0, 0, false, "88^C");
    seed("rpm", 1200, 0, 0, 0, false, "8888&");
    seed("time", 0, 9, 5, 30, false, "HH.MM.SS");
    seed("date", 0, 2026, 12, 7, false, "YYYYMMDD");
    seed("many-fractions", 1.5, 0, 0, 0, false, "8." + std::string(330, '8'));
}

void RegistrySeeds()
{
    auto value = [](const char* name, uint32_t type, const std::string& bytes) {
        Bytes seed = Words({type});
        seed.insert(seed.end(), bytes.begin(), bytes.end());
        Save("registry_value", name, seed);
    };
    value("dword", 4, std::string("\x01\x00\x00\x00", 4));
    value("dword-short", 4, std::string("\x01\x00", 2));
    value("version", 1, std::string("1.2.3\0", 6));
    value("unterminated", 2, "%ProgramFiles%");
    value("multi", 7, std::string("a\0b\0\0", 5));
    value("binary-double", 3, std::string("\0\0\0\0\0\0\xf0\x3f", 8));
}

void BoostReplySeeds()
{
    // Claimed size in bytes, then the reply words.
    Save("boost_reply", "two-items", Words({32, 2, 0x03010060, 40, 0x03030061, 9000, 0xFFFFFFFF, 0, 0}));
    Save("boost_reply", "ends-at-once", Words({12, 1, 0xFFFFFFFF, 3}));
    Save("boost_reply", "size-beyond-buffer", Words({0xFFFFFFFF, 1, 0x03010060, 10}));
    Save("boost_reply", "half-pair", Words({8, 1, 0x03010060}));
}

void HistorySeeds()
{
    const int today = calendar::DayNumber({2026, 12, 9});
    auto save = [today](const char* name, const Bytes& stored) {
        Bytes seed = Words({uint32_t(today)});
        seed.insert(seed.end(), stored.begin(), stored.end());
        Save("savings_history", name, seed);
    };
    std::vector<history::DayRecord> days(3);
    for (int i = 0; i < 3; ++i) {
        days[i].day = today - 2 + i;
        days[i].modeSeconds = {600, 1200, 1800, 3600, 7200};
        days[i].autoGearSeconds = {0, 1200, 3000, 3000};
        days[i].boardSaved = {0, 0, 12.5, 40.25, 20};
        days[i].vgaSaved = {0, 0, 1.5, 3, 2};
        days[i].cpuUsed = 500;
        days[i].co2Avoided = days[i].Saved() * 615;
    }
    const Bytes good = history::EncodeHistory(days);
    save("three-days", good);
    save("empty", history::EncodeHistory({}));
    Bytes huge = good;
    huge[8] = huge[9] = huge[10] = huge[11] = 0xFF;
    save("huge-count", huge);
    save("cut-record", Bytes(good.begin(), good.end() - 7));
    std::vector<history::DayRecord> future = days;
    future[2].day = today + 400;
    save("future-day", history::EncodeHistory(future));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_seeds <corpus folder> <profile.ini>...\n");
        return 2;
    }
    g_root = argv[1];
    BoardSeeds(std::vector<std::string>(argv + 2, argv + argc));
    BiosEdgeSeeds();
    ProfileFileSeeds();
    BitmapSeeds();
    PngRecordSeeds();
    BlurSeeds();
    PipeSeeds();
    ControlSeeds();
    LayoutSeeds();
    NumLedSeeds();
    RegistrySeeds();
    BoostReplySeeds();
    HistorySeeds();
    return 0;
}
