// Which glyph each readout position shows: blanks before the highest digit,
// truncated fractions and a last digit that is rounded without carrying.

#include "screens/energy/DigitGlyphs.h"
#include "screens/energy/GlyphIndices.h"

#include <gtest/gtest.h>

#include <limits>

using energy::GlyphIndices;

namespace {
constexpr int B = energy::kBlank;
constexpr int P = energy::kValuePoint;
} // namespace

TEST(GlyphIndices, IntegerDigitsAreRightAlignedBehindBlanks)
{
    EXPECT_EQ(GlyphIndices(0, 2, 2), (std::vector<int>{B, 0, P, 0, 0}));
    EXPECT_EQ(GlyphIndices(5, 6, 3), (std::vector<int>{B, B, B, B, B, 5, P, 0, 0, 0}));
    EXPECT_EQ(GlyphIndices(102030, 6, 0), (std::vector<int>{1, 0, 2, 0, 3, 0}));
    // A zero inside the number is a digit, not a blank.
    EXPECT_EQ(GlyphIndices(1.5, 3, 1), (std::vector<int>{B, B, 1, P, 5}));
}

TEST(GlyphIndices, AValueTooWideForTheRowShowsItsMaximumAlsoWhenOnlyRoundingMakesItSo)
{
    EXPECT_EQ(GlyphIndices(1234, 3, 0), (std::vector<int>{9, 9, 9}));
    // Just below the limit of each row the guard digits round up into a
    // new highest place.
    EXPECT_EQ(GlyphIndices(99.999996, 2, 2), (std::vector<int>{9, 9, P, 9, 9}));
    EXPECT_EQ(GlyphIndices(999.9999999996, 3, 6), (std::vector<int>{9, 9, 9, P, 9, 9, 9, 9, 9, 9}));
    EXPECT_EQ(GlyphIndices(999999.9999996, 6, 3), (std::vector<int>{9, 9, 9, 9, 9, 9, P, 9, 9, 9}));
    // A carry that stays within the row shows the value it rounds to.
    EXPECT_EQ(GlyphIndices(9.9999996, 2, 2), (std::vector<int>{1, 0, P, 0, 0}));
}

TEST(GlyphIndices, OnlyTheLastFractionDigitIsRoundedAndItNeverCarries)
{
    EXPECT_EQ(GlyphIndices(99.996, 2, 2), (std::vector<int>{9, 9, P, 9, 9}));
    EXPECT_EQ(GlyphIndices(0.996, 1, 2), (std::vector<int>{0, P, 9, 9}));
    EXPECT_EQ(GlyphIndices(1.25, 1, 1), (std::vector<int>{1, P, 3}));
    EXPECT_EQ(GlyphIndices(1.24, 1, 1), (std::vector<int>{1, P, 2}));
    // Earlier digits are truncated: .199 shows .19, not .20.
    EXPECT_EQ(GlyphIndices(0.199, 1, 2), (std::vector<int>{0, P, 1, 9}));
    // The last digit is rounded from the value, not from the value already
    // rounded to a place or two further: .01499 is below the half.
    EXPECT_EQ(GlyphIndices(0.01499, 1, 2), (std::vector<int>{0, P, 0, 1}));
}

TEST(GlyphIndices, BinaryFractionsShowTheDecimalsTheUserTyped)
{
    EXPECT_EQ(GlyphIndices(999.4, 3, 6), (std::vector<int>{9, 9, 9, P, 4, 0, 0, 0, 0, 0}));
    EXPECT_EQ(GlyphIndices(999.999999, 3, 6), (std::vector<int>{9, 9, 9, P, 9, 9, 9, 9, 9, 9}));
    EXPECT_EQ(GlyphIndices(999999.999, 6, 3), (std::vector<int>{9, 9, 9, 9, 9, 9, P, 9, 9, 9}));
    EXPECT_EQ(GlyphIndices(0.1, 1, 3), (std::vector<int>{0, P, 1, 0, 0}));
}

TEST(GlyphIndices, WhatIsNoAmountShowsAsZero)
{
    const std::vector<int> zero{B, 0, P, 0, 0};
    EXPECT_EQ(GlyphIndices(-3.5, 2, 2), zero);
    EXPECT_EQ(GlyphIndices(std::numeric_limits<double>::quiet_NaN(), 2, 2), zero);
    EXPECT_EQ(GlyphIndices(std::numeric_limits<double>::infinity(), 2, 2), zero);
}
