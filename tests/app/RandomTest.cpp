#include "app/Random.h"

#include <gtest/gtest.h>

TEST(Random, FollowsTheClassicSequence) {
    // The classic generator seeded with 1 starts 41, 18467, 6334, 26500.
    GameSeed(1);
    EXPECT_EQ(GameRand(), 41);
    EXPECT_EQ(GameRand(), 18467);
    EXPECT_EQ(GameRand(), 6334);
    EXPECT_EQ(GameRand(), 26500);
}

TEST(Random, StaysInRangeAndRepeatsForASeed) {
    GameSeed(0xDEADBEEF);
    std::vector<int> first;
    for (int i = 0; i < 1000; ++i) {
        int v = GameRand();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, GAME_RAND_MAX);
        first.push_back(v);
    }
    GameSeed(0xDEADBEEF);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(GameRand(), first[i]);
}
