#include "clock/TargetTime.h"

#include <gtest/gtest.h>

#include <climits>

TEST(TargetTime, EachBandStartsWhereThePreviousEnds) {
    const struct {
        int pieces, hours, minutes;
    } cases[] = {{49, 0, 4},    {50, 0, 6},   {74, 0, 9},   {75, 0, 12},  {99, 0, 16},
                 {100, 0, 25},  {124, 0, 31}, {125, 0, 41}, {149, 0, 49}, {150, 1, 5},
                 {199, 1, 26},  {200, 1, 40}, {0, 0, 0},    {-5, 0, 0}};
    for (const auto& c : cases) {
        const TargetTime target = TargetTimeFor(c.pieces);
        EXPECT_EQ(target.hours * 60 + target.minutes, c.hours * 60 + c.minutes) << c.pieces;
    }
    // A huge count must not overflow into a negative time.
    EXPECT_EQ(TargetTimeFor(INT_MAX).hours, static_cast<int>(INT_MAX * 30LL / 3600));
}
