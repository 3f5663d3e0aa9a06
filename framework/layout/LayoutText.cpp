#include "framework/layout/LayoutText.h"

#include <algorithm>
#include <cctype>
#include <sstream>

std::string TrimLayoutText(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return "";
    size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool IsLayoutIdentifier(const std::string& text)
{
    if (text.empty() || !(std::isalpha(static_cast<unsigned char>(text[0])) || text[0] == '_'))
        return false;
    return std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isalnum(c) || c == '_'; });
}

std::vector<std::string> SplitLayoutLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    std::string line;
    while (std::getline(stream, line))
        lines.push_back(TrimLayoutText(line));
    return lines;
}

bool IsLayoutFiller(const std::string& line)
{
    return line.empty() || line.rfind("//", 0) == 0;
}

void ParseLayoutObject(const std::string& line, std::string& name, std::string& className)
{
    size_t colon = line.find(':');
    if (line.rfind("object ", 0) != 0 || colon == std::string::npos || colon < 7)
        throw ELayoutSyntax("expected 'object Name: Class'");
    name = TrimLayoutText(line.substr(7, colon - 7));
    className = TrimLayoutText(line.substr(colon + 1));
    if (!IsLayoutIdentifier(name) || !IsLayoutIdentifier(className))
        throw ELayoutSyntax("expected 'object Name: Class'");
}

void SplitLayoutProperty(const std::string& line, std::string& path, std::string& valueText)
{
    size_t equals = line.find('=');
    if (equals == std::string::npos)
        throw ELayoutSyntax("expected 'Property = value'");
    path = TrimLayoutText(line.substr(0, equals));
    valueText = TrimLayoutText(line.substr(equals + 1));
}

namespace {

// 'abc' with '' standing for one quote, from text[start]; returns the index
// after the closing quote.
size_t ReadQuoted(const std::string& text, size_t start, std::string& out)
{
    for (size_t i = start + 1;; ++i) {
        if (i >= text.size())
            throw ELayoutSyntax("unterminated string");
        if (text[i] == '\'') {
            if (i + 1 < text.size() && text[i + 1] == '\'') {
                out += '\'';
                ++i;
                continue;
            }
            return i + 1;
        }
        out += text[i];
    }
}

size_t SkipBlanks(const std::string& text, size_t i)
{
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r'))
        ++i;
    return i;
}

// RGB(r, g, b) with each part 0..255: the colour 0x00BBGGRR.
TLayoutValue ParseLayoutRgb(const std::string& text)
{
    if (text.back() != ')')
        throw ELayoutSyntax("expected RGB(red, green, blue)");
    std::stringstream parts(text.substr(4, text.size() - 5));
    std::string part;
    std::vector<long long> channels;
    while (std::getline(parts, part, ',')) {
        part = TrimLayoutText(part);
        if (part.empty() || part.size() > 3 || !std::all_of(part.begin(), part.end(), ::isdigit))
            throw ELayoutSyntax("bad colour part '" + part + "' in " + text);
        channels.push_back(std::stoll(part));
        if (channels.back() > 255)
            throw ELayoutSyntax("colour part " + part + " above 255 in " + text);
    }
    if (channels.size() != 3)
        throw ELayoutSyntax("expected RGB(red, green, blue)");
    TLayoutValue value;
    value.kind = TLayoutValue::Kind::Integer;
    value.integer = channels[0] | (channels[1] << 8) | (channels[2] << 16);
    return value;
}

} // namespace

TLayoutValue ParseLayoutValue(const std::string& text)
{
    TLayoutValue value;
    if (text.empty())
        throw ELayoutSyntax("missing value");
    if (text[0] == '\'') {
        // 'abc' + 'def' + ...: joined in one pass, so that a line of a
        // million parts costs neither stack nor quadratic time.
        value.kind = TLayoutValue::Kind::String;
        size_t next = ReadQuoted(text, 0, value.text);
        for (;;) {
            next = SkipBlanks(text, next);
            if (next == text.size())
                return value;
            if (text[next] != '+')
                throw ELayoutSyntax("unexpected text after string");
            next = SkipBlanks(text, next + 1);
            if (next == text.size())
                throw ELayoutSyntax("missing value");
            if (text[next] != '\'')
                throw ELayoutSyntax("only strings can be joined with +");
            next = ReadQuoted(text, next, value.text);
        }
    }
    if (text[0] == '[') {
        if (text.back() != ']')
            throw ELayoutSyntax("unterminated set");
        value.kind = TLayoutValue::Kind::Set;
        std::stringstream items(text.substr(1, text.size() - 2));
        std::string item;
        while (std::getline(items, item, ',')) {
            item = TrimLayoutText(item);
            if (!IsLayoutIdentifier(item))
                throw ELayoutSyntax("bad set member '" + item + "'");
            value.items.push_back(item);
        }
        return value;
    }
    if (std::isdigit(static_cast<unsigned char>(text[0])) || text[0] == '-' || text[0] == '$') {
        value.kind = TLayoutValue::Kind::Integer;
        try {
            size_t used = 0;
            if (text[0] == '$')
                value.integer = std::stoll(text.substr(1), &used, 16), ++used;
            else
                value.integer = std::stoll(text, &used, 10);
            if (used != text.size())
                throw ELayoutSyntax("bad number '" + text + "'");
        } catch (const ELayoutSyntax&) {
            throw;
        } catch (const std::logic_error&) {
            throw ELayoutSyntax("bad number '" + text + "'");
        }
        return value;
    }
    if (text.rfind("RGB(", 0) == 0)
        return ParseLayoutRgb(text);
    if (!IsLayoutIdentifier(text))
        throw ELayoutSyntax("cannot read value '" + text + "'");
    value.kind = TLayoutValue::Kind::Identifier;
    value.text = text;
    return value;
}
