#include "board/core/BoardState.h"

#include "board/core/NumberText.h"

#include <cstdio>

namespace vboard {
namespace {
const char kItemPrefix[] = "item ";

bool Fail(std::string& error, const IniEntry& entry, const char* what)
{
    error = "line " + std::to_string(entry.line) + ": " + what + " for '" + entry.key + "'";
    return false;
}

bool ReadWord(const IniEntry& entry, uint32_t& value, std::string& error)
{
    return ParseWord(entry.value, value) || Fail(error, entry, "bad number");
}

bool ReadSigned(const IniEntry& entry, int32_t& value, int64_t low, int64_t high, std::string& error)
{
    int64_t parsed;
    if (!ParseInteger(entry.value, parsed) || parsed < low || parsed > high)
        return Fail(error, entry, "number out of range");
    value = int32_t(parsed);
    return true;
}

bool ReadFlag(const IniEntry& entry, bool& value, std::string& error)
{
    uint32_t word;
    if (!ReadWord(entry, word, error))
        return false;
    value = word != 0;
    return true;
}

bool ApplyBoard(BoardState& state, const IniSection& section, std::string& error)
{
    for (const IniEntry& entry : section.entries) {
        if (entry.key == "profile") {
            state.profile = entry.value;
        } else if (entry.key == "description") {
            state.description = entry.value;
        } else if (entry.key == "interface") {
            std::vector<uint32_t> values;
            for (const std::string& part : SplitList(entry.value)) {
                uint32_t word;
                if (!ParseWord(part, word))
                    return Fail(error, entry, "bad number");
                values.push_back(word);
            }
            state.interfaceValues = std::move(values);
        } else if (entry.key != "include") {
            return Fail(error, entry, "unknown key");
        }
    }
    return true;
}

bool ApplyItem(BoardState& state, uint32_t id, const IniSection& section, std::string& error)
{
    if (const IniEntry* present = section.Find("present")) {
        bool keep;
        if (!ReadFlag(*present, keep, error))
            return false;
        if (!keep) {
            state.items.erase(id);
            return true;
        }
    }
    auto [slot, created] = state.items.try_emplace(id);
    BoardItem& item = slot->second;
    item.id = id;
    bool valueGiven = false, defaultGiven = false;
    for (const IniEntry& entry : section.entries) {
        const std::string& key = entry.key;
        bool ok = true;
        if (key == "present")
            continue;
        if (key == "name")
            item.name = entry.value;
        else if (key == "value")
            ok = ReadWord(entry, item.value, error), valueGiven = true;
        else if (key == "default")
            ok = ReadWord(entry, item.defaultValue, error), defaultGiven = true;
        else if (key == "attributes")
            ok = ReadWord(entry, item.attributes, error);
        // base and step travel as signed 24-bit fields, the exponent as a signed byte
        else if (key == "base")
            ok = ReadSigned(entry, item.base, -0x800000, 0x7FFFFF, error);
        else if (key == "step")
            ok = ReadSigned(entry, item.step, -0x800000, 0x7FFFFF, error);
        else if (key == "exponent")
            ok = ReadSigned(entry, item.exponent, -128, 127, error);
        else if (key == "count")
            ok = ReadWord(entry, item.count, error);
        else if (key == "texts")
            item.texts = SplitList(entry.value);
        else if (key == "reply") {
            item.reply.clear();
            for (const std::string& part : SplitList(entry.value)) {
                uint32_t word;
                if (!ParseWord(part, word))
                    return Fail(error, entry, "bad number");
                item.reply.push_back(word);
            }
        } else if (key == "readonly")
            ok = ReadFlag(entry, item.readOnly, error);
        else
            return Fail(error, entry, "unknown key");
        if (!ok)
            return false;
    }
    // An item starts at its default, and a profile that changes the default
    // without naming a value moves the value along.
    if ((created || defaultGiven) && !valueGiven)
        item.value = item.defaultValue;
    return true;
}

bool ApplyRegisters(BoardState& state, const IniSection& section, std::string& error)
{
    for (const IniEntry& entry : section.entries) {
        uint32_t address, value;
        if (!ParseWord(entry.key, address) || address > 0xFFFF)
            return Fail(error, entry, "bad register address");
        if (!ReadWord(entry, value, error))
            return false;
        if (value > 0xFF)
            return Fail(error, entry, "register value above 0xFF");
        state.registers[address] = uint8_t(value);
    }
    return true;
}
} // namespace

uint32_t BoardState::InterfaceWord() const
{
    return interfaceValues.size() > 1 ? interfaceValues[1] : 0;
}

BoardItem* BoardState::Find(uint32_t id)
{
    auto found = items.find(id);
    return found == items.end() ? nullptr : &found->second;
}

const BoardItem* BoardState::Find(uint32_t id) const
{
    auto found = items.find(id);
    return found == items.end() ? nullptr : &found->second;
}

std::optional<std::string> BoardState::Knob(const std::string& name) const
{
    auto found = knobs.find(name);
    if (found == knobs.end())
        return std::nullopt;
    return found->second;
}

uint32_t BoardState::KnobWord(const std::string& name, uint32_t fallback) const
{
    uint32_t value;
    auto text = Knob(name);
    return text && ParseWord(*text, value) ? value : fallback;
}

const IniSection* BoardState::OtherSection(const std::string& name) const
{
    for (const IniSection& section : otherSections)
        if (section.name == name)
            return &section;
    return nullptr;
}

IniSection& BoardState::EditSection(const std::string& name)
{
    for (IniSection& section : otherSections)
        if (section.name == name)
            return section;
    otherSections.push_back({name, {}, 0});
    return otherSections.back();
}

bool BoardState::Apply(const IniDocument& document, std::string& error)
{
    for (const IniSection& section : document.Sections()) {
        bool ok = true;
        if (section.name == "board") {
            ok = ApplyBoard(*this, section, error);
        } else if (section.name == "knobs") {
            for (const IniEntry& entry : section.entries)
                knobs[entry.key] = entry.value;
        } else if (section.name == "sio") {
            ok = ApplyRegisters(*this, section, error);
        } else if (section.name.rfind(kItemPrefix, 0) == 0) {
            uint32_t id;
            if (!ParseWord(section.name.substr(sizeof kItemPrefix - 1), id)) {
                error = "line " + std::to_string(section.line) + ": bad item identifier";
                return false;
            }
            ok = ApplyItem(*this, id, section, error);
        } else {
            IniSection& kept = EditSection(section.name);
            for (const IniEntry& entry : section.entries) {
                bool replaced = false;
                for (IniEntry& old : kept.entries)
                    if (old.key == entry.key)
                        old.value = entry.value, replaced = true;
                if (!replaced)
                    kept.entries.push_back(entry);
            }
        }
        if (!ok)
            return false;
    }
    return true;
}

IniDocument BoardState::ToDocument() const
{
    IniDocument document;
    IniSection& board = document.Add("board");
    board.entries.push_back({"profile", profile});
    board.entries.push_back({"description", description});
    std::vector<std::string> words;
    for (uint32_t value : interfaceValues)
        words.push_back(HexWord(value));
    board.entries.push_back({"interface", JoinList(words)});

    if (!knobs.empty()) {
        IniSection& section = document.Add("knobs");
        for (const auto& [key, value] : knobs)
            section.entries.push_back({key, value});
    }
    if (!registers.empty()) {
        IniSection& section = document.Add("sio");
        for (const auto& [address, value] : registers) {
            char key[8], text[8];
            std::snprintf(key, sizeof key, "0x%04X", unsigned(address));
            std::snprintf(text, sizeof text, "0x%02X", unsigned(value));
            section.entries.push_back({key, text});
        }
    }
    for (const auto& [id, item] : items) {
        IniSection& section = document.Add(kItemPrefix + HexWord(id));
        auto add = [&](const char* key, std::string value) { section.entries.push_back({key, std::move(value)}); };
        add("name", item.name);
        add("value", HexWord(item.value));
        add("default", HexWord(item.defaultValue));
        add("attributes", HexWord(item.attributes));
        if (item.Kind() == ItemKind::Number) {
            add("base", std::to_string(item.base));
            add("exponent", std::to_string(item.exponent));
            add("step", std::to_string(item.step));
            add("count", std::to_string(item.count));
        }
        if (!item.texts.empty())
            add("texts", JoinList(item.texts));
        if (!item.reply.empty()) {
            std::vector<std::string> ids;
            for (uint32_t reply : item.reply)
                ids.push_back(HexWord(reply));
            add("reply", JoinList(ids));
        }
        if (item.readOnly)
            add("readonly", "1");
    }
    for (const IniSection& section : otherSections)
        document.Add(section.name).entries = section.entries;
    return document;
}

} // namespace vboard
