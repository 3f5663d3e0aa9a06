#include "board/boardctl/BoardCommands.h"

#include "board/core/BoardStore.h"
#include "board/core/ItemAccess.h"
#include "board/core/NumberText.h"
#include "board/core/SuperIoChip.h"
#include "kelp/vantor/BiosInterface.h"
#include "kelp/vantor/BiosItemEnumerator.h"

#include <set>

namespace boardctl {
namespace {
using vboard::BoardItem;
using vboard::BoardState;
using vboard::BoardStore;

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

const char kUsageText[] =
    "usage: boardctl show                 profile, interface version and every item\n"
    "       boardctl items                the item catalogue with value texts\n"
    "       boardctl load <profile>       rebuild the board from a profile (name or .ini path)\n"
    "       boardctl get <id>             print an item's value\n"
    "       boardctl set <id> <value>     change an item's value (ids and values: decimal or 0x hex)\n"
    "       boardctl sio [bank]           the Super-I/O chip: identifier, temperature and register banks\n"
    "       boardctl knob <name> [value]  print or change a setting of the simulated libraries and peers\n";

int Fail(std::FILE* err, const std::string& message)
{
    std::fprintf(err, "boardctl: %s\n", message.c_str());
    return kFailed;
}

bool ReadBoard(BoardState& state, std::FILE* err)
{
    if (BoardStore().Read(state))
        return true;
    Fail(err, "the board state is locked by another process");
    return false;
}

bool ParseId(const std::string& text, uint32_t& id, std::FILE* err)
{
    if (vboard::ParseWord(text, id))
        return true;
    Fail(err, "bad item identifier '" + text + "'");
    return false;
}

// The value a program reading the item sees now: live sensors read as
// they sense, not as stored.
uint32_t Reading(const BoardState& state, const BoardItem& item)
{
    uint32_t value = item.value;
    vboard::ReadItem(state, item.id, value);
    return value;
}

void PrintHeader(const BoardState& state, std::FILE* out)
{
    std::fprintf(out, "profile: %s\n", state.profile.c_str());
    if (!state.description.empty())
        std::fprintf(out, "description: %s\n", state.description.c_str());
    std::fprintf(out, "interface version: %u (%s)\n", state.InterfaceVersion(),
                 vboard::HexWord(state.InterfaceWord()).c_str());
    std::fprintf(out, "state file: %s\n", BoardStore().Path().c_str());
}

void PrintItem(const BoardItem& item, uint32_t value, const std::string& text, std::FILE* out)
{
    std::fprintf(out, "%s  %-7s  %s  %-14s  %s\n", vboard::HexWord(item.id).c_str(), vboard::KindName(item.Kind()),
                 vboard::HexWord(value).c_str(), text.c_str(), item.name.c_str());
}

int Show(std::FILE* out, std::FILE* err)
{
    BoardState state;
    if (!ReadBoard(state, err))
        return kFailed;
    PrintHeader(state, out);
    for (const auto& [id, item] : state.items)
        std::fprintf(out, "%s  %-7s  %s  %s%s\n", vboard::HexWord(id).c_str(), vboard::KindName(item.Kind()),
                     vboard::HexWord(Reading(state, item)).c_str(), item.name.c_str(),
                     item.readOnly ? " (read-only)" : "");
    return kOk;
}

// The value text as the program itself derives it: through the ACPI
// library's description of the item.
std::string ValueText(const kelp::BiosItem& item, const BoardItem& board, uint32_t value)
{
    if (board.Kind() == vboard::ItemKind::Boolean)
        return value ? "on" : "off";
    if (!item.IsParsed())
        return "(no description)";
    if (board.Kind() == vboard::ItemKind::String && value >= item.GetCount())
        return "(out of range)";
    return item.IndexToString(value);
}

int Items(std::FILE* out, std::FILE* err)
{
    BoardState state;
    if (!ReadBoard(state, err))
        return kFailed;
    PrintHeader(state, out);
    std::set<uint8_t> groups;
    for (const auto& [id, item] : state.items)
        groups.insert(uint8_t(id >> 24));
    kelp::InitInterface();
    for (uint8_t group : groups) {
        kelp::BiosItemEnumerator items;
        if (!items.Open(group))
            continue;
        for (bool fetched = true; !items.AtEnd(); fetched = items.Next()) {
            const BoardItem* board = fetched ? state.Find(items.CurrentId()) : nullptr;
            if (!board)
                continue;
            std::unique_ptr<kelp::BiosItem> item = items.CreateItem();
            const uint32_t value = Reading(state, *board);
            PrintItem(*board, value, ValueText(*item, *board, value), out);
        }
    }
    return kOk;
}

int Load(const std::string& profile, std::FILE* out, std::FILE* err)
{
    std::string error;
    if (!BoardStore().LoadProfile(profile, error))
        return Fail(err, error);
    std::fprintf(out, "loaded profile %s\n", profile.c_str());
    return kOk;
}

int Get(const std::string& idText, std::FILE* out, std::FILE* err)
{
    uint32_t id;
    BoardState state;
    if (!ParseId(idText, id, err) || !ReadBoard(state, err))
        return kFailed;
    const BoardItem* item = state.Find(id);
    if (!item)
        return Fail(err, "item " + vboard::HexWord(id) + " is not on this board");
    std::fprintf(out, "%s\n", vboard::HexWord(Reading(state, *item)).c_str());
    return kOk;
}

// Sets the value as the hardware would, so read-only items can be changed
// too; the item's value range still applies.
int Set(const std::string& idText, const std::string& valueText, std::FILE* err)
{
    uint32_t id, value;
    if (!ParseId(idText, id, err))
        return kFailed;
    if (!vboard::ParseWord(valueText, value))
        return Fail(err, "bad value '" + valueText + "'");
    std::string problem;
    bool changed = BoardStore().Update([&](BoardState& state) {
        BoardItem* item = state.Find(id);
        if (!item)
            problem = "item " + vboard::HexWord(id) + " is not on this board";
        else if (!item->Accepts(value))
            problem = "value " + valueText + " is outside the range of item " + vboard::HexWord(id) + " (0.." +
                      std::to_string(item->ValueCount() - 1) + ")";
        else
            item->value = value;
        return problem.empty();
    });
    if (!problem.empty())
        return Fail(err, problem);
    return changed ? kOk : Fail(err, "the board state could not be written");
}
const char* FamilyName(vboard::ChipFamily family)
{
    switch (family) {
    case vboard::ChipFamily::Chip627DHG: return "627DHG";
    case vboard::ChipFamily::Chip667Dot18: return "667 (revision 18)";
    case vboard::ChipFamily::Chip667: break;
    }
    return "667";
}

// One bank as the program would read it, computed registers included:
// sixteen registers a row, the offset of the row first.
void PrintBank(const BoardState& state, uint32_t bank, std::FILE* out)
{
    std::fprintf(out, "bank %u\n", bank);
    for (uint32_t row = 0; row < 256; row += 16) {
        std::fprintf(out, "  %02X:", row);
        for (uint32_t offset = row; offset < row + 16; ++offset)
            std::fprintf(out, " %02X", vboard::ReadMonitorRegister(state, bank * 256 + offset));
        std::fputc('\n', out);
    }
}

// A knob lives as one INI line of the state.
bool IsKnobText(const std::string& text, bool isName)
{
    if (isName && text.empty())
        return false;
    for (char c : text)
        if (c == '\r' || c == '\n' || (isName && (c == '=' || c == '[' || c == ']' || c == ';')))
            return false;
    return true;
}

int Knob(const std::vector<std::string>& operands, std::FILE* out, std::FILE* err)
{
    const std::string& name = operands[0];
    if (!IsKnobText(name, true))
        return Fail(err, "bad knob name '" + name + "'");
    if (operands.size() == 1) {
        BoardState state;
        if (!ReadBoard(state, err))
            return kFailed;
        const std::optional<std::string> value = state.Knob(name);
        if (!value)
            return Fail(err, "knob " + name + " is not set");
        std::fprintf(out, "%s\n", value->c_str());
        return kOk;
    }
    const std::string& value = operands[1];
    if (!IsKnobText(value, false))
        return Fail(err, "bad knob value");
    const bool changed = BoardStore().Update([&](BoardState& state) {
        state.knobs[name] = value;
        return true;
    });
    return changed ? kOk : Fail(err, "the board state could not be written");
}

// Without a bank: every bank a program has written to, and bank 0, where
// the temperatures and duties live.
int Sio(const std::vector<std::string>& operands, std::FILE* out, std::FILE* err)
{
    std::set<uint32_t> banks;
    if (!operands.empty()) {
        uint32_t bank;
        if (!vboard::ParseWord(operands[0], bank) || bank > 0xFF)
            return Fail(err, "bad bank '" + operands[0] + "' (0..255)");
        banks.insert(bank);
    }
    BoardState state;
    if (!ReadBoard(state, err))
        return kFailed;
    uint16_t chip = vboard::ChipId(state);
    std::fprintf(out, "chip: 0x%04X (%s)\n", chip, FamilyName(vboard::FamilyOf(chip)));
    unsigned halfDegrees = vboard::CpuHalfDegrees(state);
    std::fprintf(out, "cpu temperature: %u.%u C\n", halfDegrees / 2, halfDegrees % 2 * 5);
    if (banks.empty()) {
        banks.insert(0);
        for (const auto& [address, value] : state.registers)
            banks.insert(address / 256);
    }
    for (uint32_t bank : banks)
        PrintBank(state, bank, out);
    return kOk;
}
} // namespace

int Run(const std::vector<std::string>& arguments, std::FILE* out, std::FILE* err)
{
    auto is = [&](const char* command, size_t operands) {
        return arguments[0] == command && arguments.size() == operands + 1;
    };
    if (arguments.empty()) {
        std::fputs(kUsageText, err);
        return kUsage;
    }
    if (is("show", 0))
        return Show(out, err);
    if (is("items", 0))
        return Items(out, err);
    if (is("load", 1))
        return Load(arguments[1], out, err);
    if (is("get", 1))
        return Get(arguments[1], out, err);
    if (is("set", 2))
        return Set(arguments[1], arguments[2], err);
    if (is("sio", 0) || is("sio", 1))
        return Sio({arguments.begin() + 1, arguments.end()}, out, err);
    if (is("knob", 1) || is("knob", 2))
        return Knob({arguments.begin() + 1, arguments.end()}, out, err);
    std::fprintf(err, "boardctl: unknown command or wrong operands: %s\n", arguments[0].c_str());
    std::fputs(kUsageText, err);
    return kUsage;
}

} // namespace boardctl
