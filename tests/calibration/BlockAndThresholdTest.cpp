// Block statistic and threshold arithmetic of both calibrators.

#include "engine/CalibrationBlock.h"
#include "engine/CalibrationFourLevel.h"
#include "engine/CalibrationThreeLevel.h"

#include <gtest/gtest.h>

#include <array>
#include <numeric>

namespace {

using Values = std::vector<uint32_t>;

TEST(BlockValue, MeansTheUpperMiddleOfTheSortedSamples)
{
    // 30 samples 1..30, shuffled: positions 15..21 hold 16..22, mean 19.
    Values samples(30);
    std::iota(samples.begin(), samples.end(), 1u);
    std::swap(samples[0], samples[29]);
    std::swap(samples[3], samples[17]);
    EXPECT_EQ(BlockValue(samples), 19u);
    // Spikes at either end stay outside the range.
    Values noisy(30, 10);
    noisy[0] = 0;
    noisy[29] = 4000000000u;
    noisy[28] = 4000000000u;
    EXPECT_EQ(BlockValue(noisy), 10u);
    // 4 samples -> position 2 only; 8 -> positions 4 and 5, mean rounded down.
    EXPECT_EQ(BlockValue({1, 2, 7, 9}), 7u);
    EXPECT_EQ(BlockValue({34, 1, 2, 3, 5, 8, 13, 21}), (8u + 13u) / 2);
}

TEST(BlockValue, IsNeverZero)
{
    EXPECT_EQ(BlockValue({}), 1u);
    EXPECT_EQ(BlockValue(Values(30, 0)), 1u);
    // Blocks too short for the range take the sample at n/2.
    EXPECT_EQ(BlockValue({5}), 5u);
    EXPECT_EQ(BlockValue({9, 3}), 9u);
    // Large readings do not overflow the sum.
    EXPECT_EQ(BlockValue(Values(30, 0xFFFFFFF0u)), 0xFFFFFFF0u);
}

TEST(ThreeLevelThresholds, OffsetsDependOnTheProcessorCount)
{
    using T = std::array<uint32_t, 3>;
    // Dual core: Medium 8 + 2, Norm 10 + 2, Turbo 14 + 4.
    EXPECT_EQ(ThreeLevelThresholds(10, 8, 14, 2), (T{10, 12, 18}));
    EXPECT_EQ(ThreeLevelThresholds(10, 8, 14, 3), (T{10, 12, 18}));
    // More than three: Norm + 3, Turbo + 5.
    EXPECT_EQ(ThreeLevelThresholds(10, 8, 14, 4), (T{10, 13, 19}));
    // Sorted whatever mode they come from; clamped at 255.
    EXPECT_EQ(ThreeLevelThresholds(30, 40, 5, 2), (T{9, 32, 42}));
    EXPECT_EQ(ThreeLevelThresholds(254, 300, 0xFFFFFFFFu, 8), (T{255, 255, 255}));
}

// Measurements in block order: NormLow, MediumLow, PowerSavingLow,
// TurboLow, NormHigh, MediumHigh, PowerSavingHigh, TurboHigh.
Values Measured(uint32_t nL, uint32_t mL, uint32_t pL, uint32_t tL, uint32_t nH, uint32_t mH, uint32_t pH,
                uint32_t tH)
{
    return {nL, mL, pL, tL, nH, mH, pH, tH};
}

TEST(FourLevelThresholds, TakeTheLargerOfHalfAndThird)
{
    // (P, M): half = 6 + 20/2 = 16, third = 9 + 30/3 = 19 -> 19.
    // (M, N): half = 9 + 15 = 24, third = 12 + 40/3 = 25 -> 25.
    // (N, T): half = 12 + 20 = 32, third = 14 + 46/3 = 29 -> 32.
    const Values m = Measured(12, 9, 6, 14, 52, 39, 26, 60);
    EXPECT_EQ(FourLevelThresholds(m, false), (Values{19, 25, 32}));
    // Six: t1 19 is within P's loaded value 26, so t4 = t1.
    EXPECT_EQ(FourLevelThresholds(m, true), (Values{19, 25, 32, 19, 25, 32}));
}

TEST(FourLevelThresholds, HandleLoadsBelowIdleAndNarrowSpreads)
{
    // Every loaded value below its idle value: half = L(u) + 1, third =
    // L(d) + 2 -> (P,M) max(11, 22) = 22, (M,N) max(21, 32) = 32,
    // (N,T) max(31, 42) = 42.
    EXPECT_EQ(FourLevelThresholds(Measured(30, 20, 10, 40, 1, 1, 1, 1), false), (Values{22, 32, 42}));
    // A lower mode's third above the upper mode's loaded value falls back to
    // L(d) + 2: (P,M) half 10 + 1 = 11, third 20 + 30/3 = 30 > H(P) = 12 ->
    // 22; (M,N) half 20 + 15 = 35, third 30 + 20/3 = 36 -> 36; (N,T) half
    // 30 + 10 = 40, third 40 + 20 = 60 > H(N) = 50 -> 42.
    EXPECT_EQ(FourLevelThresholds(Measured(30, 20, 10, 40, 50, 50, 12, 100), false), (Values{22, 36, 42}));
}

TEST(FourLevelThresholds, StayIncreasingAfterTheCap)
{
    EXPECT_EQ(FourLevelThresholds(Measured(400, 300, 300, 500, 900, 900, 900, 900), false),
              (Values{255, 256, 257}));
    // Equal candidates below the cap are pushed apart as well.
    EXPECT_EQ(FourLevelThresholds(Measured(10, 10, 10, 10, 10, 10, 10, 10), false), (Values{12, 13, 14}));
}

TEST(FourLevelThresholds, SwitchDownPointBelowTheSavingModesLoad)
{
    // t1 = 22 above H(P): t4 comes from P's spread e = H(P) - L(P).
    auto t4 = [](uint32_t pL, uint32_t pH) {
        return FourLevelThresholds(Measured(30, 20, pL, 40, 1, 1, pH, 1), true)[3];
    };
    EXPECT_EQ(t4(10, 20), 10u + 10 / 2); // e = 10
    EXPECT_EQ(t4(10, 14), 10u + 2);      // e = 4
    EXPECT_EQ(t4(10, 13), 10u + 2);      // e = 3
    EXPECT_EQ(t4(10, 12), 10u + 1);      // e = 2
    EXPECT_EQ(t4(10, 5), 10u + 1);       // negative spread
}

} // namespace
