#include "board/core/NumberText.h"

#include <cstdio>

namespace vboard {

bool ParseInteger(std::string_view text, int64_t& value)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    unsigned radix = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        radix = 16;
        text.remove_prefix(2);
    }
    if (text.empty())
        return false;
    uint64_t magnitude = 0;
    for (char c : text) {
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (radix == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (radix == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        if (magnitude > (UINT64_MAX - digit) / radix)
            return false;
        magnitude = magnitude * radix + digit;
    }
    if (magnitude > (negative ? uint64_t(INT64_MAX) + 1 : uint64_t(INT64_MAX)))
        return false;
    value = negative ? int64_t(0 - magnitude) : int64_t(magnitude);
    return true;
}

bool ParseWord(std::string_view text, uint32_t& value)
{
    int64_t parsed;
    if (!ParseInteger(text, parsed) || parsed < INT32_MIN || parsed > int64_t(UINT32_MAX))
        return false;
    value = uint32_t(parsed);
    return true;
}

std::string HexWord(uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
    return text;
}

} // namespace vboard
