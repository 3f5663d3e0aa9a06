#pragma once
// The INI-like text the board profiles and the state file are written in:
// "[section]" headers, "key=value" lines, ';' or '#' comment lines. Order
// is kept so that files round-trip readably.

#include <string>
#include <string_view>
#include <vector>

namespace vboard {

struct IniEntry {
    std::string key;
    std::string value;
    int line = 0;
};

struct IniSection {
    std::string name;
    std::vector<IniEntry> entries;
    int line = 0;

    const IniEntry* Find(std::string_view key) const;
};

class IniDocument {
public:
    // False with a message naming the line for text that is neither a
    // section header, an entry, a comment nor blank, or for an entry before
    // the first section.
    bool Parse(std::string_view text, std::string& error);

    const std::vector<IniSection>& Sections() const { return sections_; }
    IniSection& Add(std::string name);

    std::string ToText() const;

private:
    std::vector<IniSection> sections_;
};

// Splits "a|b|c" into its parts; an empty text gives no parts.
std::vector<std::string> SplitList(std::string_view text);
std::string JoinList(const std::vector<std::string>& parts);

} // namespace vboard
