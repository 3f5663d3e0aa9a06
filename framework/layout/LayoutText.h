#pragma once
// The text of a stored form layout, read line by line without touching any
// component: trimmed lines, "object Name: Class" headers, "Path = value"
// properties and the values themselves. Plain C++ so that it runs anywhere;
// LayoutReader applies what this reads to a form.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// A property value as stored: 12, -3, $FF, 'text' (+ 'more'), Identifier,
// [ident, ident].
struct TLayoutValue {
    enum class Kind { Integer, String, Identifier, Set };
    Kind kind = Kind::Integer;
    long long integer = 0;
    std::string text;                // string contents or identifier
    std::vector<std::string> items;  // set members

    // Converters; each throws std::invalid_argument naming what it expected.
    int AsInt() const;
    const std::string& AsString() const;
    const std::string& AsIdentifier() const;
    bool AsBool() const;
    uint32_t AsColor() const;  // a TColor
};

// Text the layout syntax does not allow; the message says what was expected.
class ELayoutSyntax : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

std::string TrimLayoutText(const std::string& text);
bool IsLayoutIdentifier(const std::string& text);
// The layout's lines, trimmed, in order.
std::vector<std::string> SplitLayoutLines(const std::string& text);
// A blank line or a "//" comment.
bool IsLayoutFiller(const std::string& line);

// "object Name: Class"; raises ELayoutSyntax for anything else.
void ParseLayoutObject(const std::string& line, std::string& name, std::string& className);
// "Path = value": the dotted path and the value's text; raises ELayoutSyntax
// when there is no "=".
void SplitLayoutProperty(const std::string& line, std::string& path, std::string& valueText);
// A value's text; raises ELayoutSyntax when it is none of the forms above.
TLayoutValue ParseLayoutValue(const std::string& text);
