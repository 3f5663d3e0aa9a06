// What the numeric LED display shows for any format string and any value:
// digit states in range, at the right places, and blanks for values that
// have no digits to show.

#include "VtPackage/VtNumLedFormat.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

// The digits a row shows: "_" for a blank digit, "*" for a non-digit glyph.
std::string Shown(const std::string& format, double value, bool zeroLeading = false)
{
    std::vector<int> states(format.size(), 99);
    kelp::NumberStates(format, value, zeroLeading, states);
    std::string row;
    for (size_t i = 0; i < format.size(); ++i)
        row += format[i] != '8' ? '*' : states[i] == 0 ? '_' : char('0' + states[i] - 1);
    return row;
}

} // namespace

TEST(NumLedFormatTest, FormatsAreGlyphCharactersOnly)
{
    EXPECT_TRUE(kelp::IsNumLedFormat("88.8^C&HhMmSsDdYy"));
    EXPECT_FALSE(kelp::IsNumLedFormat(""));
    EXPECT_FALSE(kelp::IsNumLedFormat("88:88"));
    EXPECT_FALSE(kelp::IsNumLedFormat(std::string("88\0" "8", 4)));
    EXPECT_EQ(kelp::NumLedGlyphKindOf('&'), kelp::NumLedGlyphKind::Rpm);
    EXPECT_EQ(kelp::NumLedGlyphKindOf('c'), kelp::NumLedGlyphKind::None);
}

TEST(NumLedFormatTest, NumbersFillTheDigitPositionsFromTheRight)
{
    EXPECT_EQ(Shown("888.8", 3.14159), "__3*1");
    EXPECT_EQ(Shown("888.8", 12.96), "_13*0");
    EXPECT_EQ(Shown("888.8", -5), "__5*0");
    EXPECT_EQ(Shown("8888", 42, true), "0042");
    EXPECT_EQ(Shown("8888", 123456), "3456");
    EXPECT_EQ(Shown("88^C", 45), "45**");
}

TEST(NumLedFormatTest, ValuesWithoutDigitsBlankTheRow)
{
    EXPECT_EQ(Shown("88.8", std::numeric_limits<double>::quiet_NaN()), "__*_");
    EXPECT_EQ(Shown("88.8", -std::numeric_limits<double>::infinity()), "__*_");
    EXPECT_EQ(Shown("." + std::string(400, '8'), 1.0), "*" + std::string(400, '_'));  // 10^400 is no double
    EXPECT_EQ(Shown("8888", 1e300).size(), 4u);
    EXPECT_EQ(Shown("8888", std::numeric_limits<double>::max()).find_first_not_of("0123456789_"), std::string::npos);
}

TEST(NumLedFormatTest, TimesAndDatesTakeTheirFieldsDigitByDigit)
{
    std::vector<int> states;
    kelp::DateTimeStates("HH.MM", true, 9, 5, 0, states);
    EXPECT_EQ(states, (std::vector<int>{1, 10, 0, 1, 6}));
    kelp::DateTimeStates("YYYYMMDD", false, 2026, 12, 7, states);
    EXPECT_EQ(states, (std::vector<int>{3, 1, 3, 7, 2, 3, 1, 8}));
    kelp::DateTimeStates("S", true, 0, 0, 4294967295u, states);
    EXPECT_EQ(states, (std::vector<int>{6}));
}
