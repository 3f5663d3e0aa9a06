// The slider's mapping between positions and thumb places.

#include "screens/advancedsetting/SliderGeometry.h"

#include <gtest/gtest.h>

using slider::OffsetToPosition;
using slider::PositionToOffset;

TEST(SliderGeometry, EndsMapToEndsAndTheMiddleRoundsToTheNearest)
{
    EXPECT_EQ(PositionToOffset(0, 0, 12, 292), 0);
    EXPECT_EQ(PositionToOffset(12, 0, 12, 292), 292);
    EXPECT_EQ(PositionToOffset(6, 0, 12, 292), 146);
    EXPECT_EQ(PositionToOffset(0, -5, 5, 100), 50);
    EXPECT_EQ(PositionToOffset(2, 0, 3, 100), 67);
    EXPECT_EQ(OffsetToPosition(292, 0, 12, 292), 12);
    EXPECT_EQ(OffsetToPosition(0, -5, 5, 100), -5);
    EXPECT_EQ(OffsetToPosition(49, 0, 3, 100), 1);
    EXPECT_EQ(OffsetToPosition(50, 0, 3, 100), 2);
    for (int position = 0; position <= 39; ++position)
        EXPECT_EQ(OffsetToPosition(PositionToOffset(position, 0, 39, 267), 0, 39, 267), position) << position;
}

TEST(SliderGeometry, PlacesAndPositionsOutsideStayOnTheTrack)
{
    EXPECT_EQ(PositionToOffset(20, 0, 12, 292), 292);
    EXPECT_EQ(PositionToOffset(-3, 0, 12, 292), 0);
    EXPECT_EQ(OffsetToPosition(-40, 0, 12, 292), 0);
    EXPECT_EQ(OffsetToPosition(400, 0, 12, 292), 12);
    // A range of one position or an empty track has one place.
    EXPECT_EQ(PositionToOffset(3, 3, 3, 292), 0);
    EXPECT_EQ(OffsetToPosition(10, 0, 12, 0), 0);
}
