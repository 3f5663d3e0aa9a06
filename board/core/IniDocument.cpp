#include "board/core/IniDocument.h"

namespace vboard {
namespace {
std::string_view Trim(std::string_view text)
{
    const char* blanks = " \t\r\n";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}
} // namespace

const IniEntry* IniSection::Find(std::string_view key) const
{
    for (const IniEntry& entry : entries)
        if (entry.key == key)
            return &entry;
    return nullptr;
}

bool IniDocument::Parse(std::string_view text, std::string& error)
{
    sections_.clear();
    int number = 0;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = Trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        ++number;
        if (line.empty() || line.front() == ';' || line.front() == '#')
            continue;
        if (line.front() == '[') {
            // A name of blanks alone would be written back as "[]", which
            // reads as no name at all.
            const std::string_view name = line.size() >= 3 ? Trim(line.substr(1, line.size() - 2)) : "";
            if (line.back() != ']' || name.empty()) {
                error = "line " + std::to_string(number) + ": malformed section header";
                return false;
            }
            Add(std::string(name)).line = number;
            continue;
        }
        size_t equals = line.find('=');
        if (equals == std::string_view::npos || equals == 0) {
            error = "line " + std::to_string(number) + ": expected key=value";
            return false;
        }
        if (sections_.empty()) {
            error = "line " + std::to_string(number) + ": entry outside a section";
            return false;
        }
        sections_.back().entries.push_back(
            {std::string(Trim(line.substr(0, equals))), std::string(Trim(line.substr(equals + 1))), number});
    }
    return true;
}

IniSection& IniDocument::Add(std::string name)
{
    sections_.push_back({std::move(name), {}, 0});
    return sections_.back();
}

std::string IniDocument::ToText() const
{
    std::string text;
    for (const IniSection& section : sections_) {
        if (!text.empty())
            text += '\n';
        text += '[' + section.name + "]\n";
        for (const IniEntry& entry : section.entries)
            text += entry.key + '=' + entry.value + '\n';
    }
    return text;
}

std::vector<std::string> SplitList(std::string_view text)
{
    std::vector<std::string> parts;
    if (text.empty())
        return parts;
    for (;;) {
        size_t bar = text.find('|');
        parts.emplace_back(Trim(text.substr(0, bar)));
        if (bar == std::string_view::npos)
            return parts;
        text.remove_prefix(bar + 1);
    }
}

std::string JoinList(const std::vector<std::string>& parts)
{
    std::string text;
    for (const std::string& part : parts) {
        if (!text.empty())
            text += '|';
        text += part;
    }
    return text;
}

} // namespace vboard
