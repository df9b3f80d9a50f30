#include "PlayFixture.h"

#include "app/Random.h"

#include <algorithm>
#include <set>
#include <vector>

namespace {

class Arrange : public PlayFixture {
  protected:
    std::vector<POINT> Origins() {
        std::vector<POINT> out;
        for (CPieceGroup* g : puzzle->groups)
            out.push_back({g->x, g->y});
        return out;
    }
    static std::set<std::pair<int, int>> AsSet(const std::vector<POINT>& points) {
        std::set<std::pair<int, int>> out;
        for (POINT p : points)
            out.insert({p.x, p.y});
        return out;
    }
};

TEST_F(Arrange, ScatterDrawsXThenYForEachGroupInListOrder) {
    MakeGrid(2, 2);
    puzzle->scatterArea = RECT{2000, 2000, 3000, 3000};
    GameSeed(1); // 41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, ...
    puzzle->Scatter();
    ASSERT_EQ(puzzle->groups.Size(), 4u);
    // The piece of cell (0, 0) is on top.
    EXPECT_EQ(puzzle->groups.Head()->reference, P(0, 0));
    EXPECT_EQ(Origins(), (std::vector<POINT>{{2041, 2467}, {2334, 2500}, {2169, 2724}, {2478, 2358}}));
    for (auto& p : puzzle->pieces) {
        ASSERT_NE(p->group, nullptr);
        EXPECT_EQ(p->group->pieces.Size(), 1u);
    }
}

TEST_F(Arrange, ACrowdedAreaTakesTheFifthPointUntested) {
    MakeGrid(2, 2);
    // Every point of this area lies within 40 pixels of every other.
    puzzle->scatterArea = RECT{2500, 2500, 2510, 2510};
    GameSeed(77);
    puzzle->Scatter();
    for (POINT p : Origins()) {
        EXPECT_GE(p.x, 2500);
        EXPECT_LT(p.x, 2510);
        EXPECT_GE(p.y, 2500);
        EXPECT_LT(p.y, 2510);
    }
    // The first group is free at once (two draws); each other collides four times and takes
    // the fifth point (ten draws).
    const int next = GameRand();
    GameSeed(77);
    for (int i = 0; i < 2 + 3 * 10; ++i)
        GameRand();
    EXPECT_EQ(next, GameRand());
}

TEST_F(Arrange, AnEmptyScatterAreaDoesNotDivideByZero) {
    MakeGrid(1, 2);
    puzzle->scatterArea = RECT{2500, 2400, 2500, 2400};
    puzzle->Scatter();
    for (POINT p : Origins())
        EXPECT_EQ(p, (POINT{2500, 2400}));
}

TEST_F(Arrange, TheAngularCutLeavesOutPiecesWithFourLongSlots) {
    MakeGrid(3, 3);
    puzzle->cutStyle = 5;
    for (CPieceSide& side : P(1, 1)->sides) {
        side.setNumber = 0;
        side.slot = 4 + side.direction;
    }
    // A piece with one side of a short slot stays in.
    for (CPieceSide& side : P(1, 2)->sides) {
        side.setNumber = 0;
        side.slot = 6;
    }
    P(1, 2)->sides[3].slot = 3;
    puzzle->scatterArea = RECT{2000, 2000, 3000, 3000};
    puzzle->Scatter();
    EXPECT_EQ(puzzle->groups.Size(), 8u);
    EXPECT_EQ(P(1, 1)->group, nullptr);
    EXPECT_NE(P(1, 2)->group, nullptr);

    // It is never a partner, and the rest in one group completes the puzzle.
    puzzle->ClearGroups();
    CPieceGroup* all = Group({{0, 0}, {1, 0}, {2, 0}, {0, 1}, {2, 1}, {0, 2}, {1, 2}}, 1000, 1000);
    CPieceGroup* last = Group({{2, 2}}, 1064, 1064);
    P(1, 1)->x = 1032;
    P(1, 1)->y = 1032;
    EXPECT_TRUE(last->TryJoin());
    EXPECT_EQ(all->pieces.Size(), 8u);
    EXPECT_EQ(puzzle->percentCompleted, 100.0f);
    EXPECT_EQ(platform->messageBoxes.size(), 1u);
}

TEST_F(Arrange, AutoArrangeCirclesThePictureClockwise) {
    MakeGrid(4, 3); // a 128 x 96 picture: left0 2436, top0 2452
    OneGroupPerPiece(100, 100, 40);
    CPieceGroup* first = puzzle->groups.Head();
    puzzle->AddToSelection(first);
    puzzle->positionChanged = 0;
    GameSeed(5);
    puzzle->AutoArrange();
    const std::set<std::pair<int, int>> expected = {
        {2420, 2396}, {2460, 2396}, {2500, 2396}, {2540, 2396}, // along the top
        {2540, 2436}, {2540, 2476}, {2540, 2516}, {2540, 2556}, // down the right side
        {2500, 2556}, {2460, 2556}, {2420, 2556}, {2380, 2556}, // back along the bottom
    };
    EXPECT_EQ(AsSet(Origins()), expected);
    EXPECT_TRUE(puzzle->selection.Empty());
    EXPECT_EQ(first->selected, 0);
    EXPECT_EQ(puzzle->positionChanged, 1);

    // The same seed gives the same order.
    const std::vector<POINT> once = Origins();
    GameSeed(5);
    puzzle->AutoArrange();
    EXPECT_EQ(Origins(), once);
}

TEST_F(Arrange, AutoArrangeMovesOnlyLoosePieces) {
    MakeGrid(4, 3);
    CPieceGroup* joined =
        Group({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 1}, {1, 1}, {2, 1}, {3, 1}, {0, 2}}, 300, 400);
    Group({{1, 2}}, 10, 10);
    Group({{2, 2}}, 20, 10);
    Group({{3, 2}}, 30, 10);
    GameSeed(123);
    puzzle->AutoArrange();
    EXPECT_EQ((POINT{joined->x, joined->y}), (POINT{300, 400}));
    EXPECT_EQ((POINT{P(3, 1)->x, P(3, 1)->y}), (POINT{396, 432}));
    std::set<std::pair<int, int>> loose;
    for (int c = 1; c < 4; ++c)
        loose.insert({P(c, 2)->x, P(c, 2)->y});
    // S = 32: one step of 40 apart, 16 left of and 56 above the picture's corner.
    const std::set<std::pair<int, int>> expected = {{2420, 2396}, {2460, 2396}, {2500, 2396}};
    EXPECT_EQ(loose, expected);

    // Busy or empty: nothing happens.
    puzzle->loaderBusy = true;
    puzzle->positionChanged = 0;
    puzzle->AutoArrange();
    EXPECT_EQ(puzzle->positionChanged, 0);
    puzzle->loaderBusy = false;
    puzzle->ClearGroups();
    puzzle->AutoArrange();
    EXPECT_EQ(puzzle->positionChanged, 0);
}

TEST_F(Arrange, RestoredGroupsAreLaidOutFromTheirFirstRecordedPiece) {
    MakeGrid(3, 1);
    puzzle->savedPosition.groups = {{1000, 1200, {{1, 0}, {0, 0}}}, {3000, 3100, {{2, 0}}}};
    EXPECT_TRUE(puzzle->RestoreGroups());
    ASSERT_EQ(puzzle->groups.Size(), 2u);
    CPieceGroup* g = puzzle->groups.Head();
    EXPECT_EQ(g->reference, P(1, 0));
    EXPECT_EQ((POINT{P(0, 0)->x, P(0, 0)->y}), (POINT{968, 1200}));
    EXPECT_EQ((POINT{P(2, 0)->x, P(2, 0)->y}), (POINT{3000, 3100}));
}

TEST_F(Arrange, BadSavedGroupsLoseNoPiece) {
    MakeGrid(3, 1);
    // An unknown cell, a piece named twice and a piece never named.
    puzzle->savedPosition.groups = {{1000, 1000, {{0, 0}, {7, 0}}}, {2000, 2000, {{0, 0}}}};
    EXPECT_FALSE(puzzle->RestoreGroups());
    EXPECT_EQ(puzzle->groups.Size(), 1u);
    EXPECT_EQ(P(0, 0)->group, puzzle->groups.Head());

    puzzle->restoringPosition = 1;
    puzzle->scatterArea = RECT{2000, 2000, 3000, 3000};
    clock.stopped = true;
    puzzle->NewGame();
    EXPECT_EQ(puzzle->restoringPosition, 0);
    EXPECT_FALSE(clock.stopped);
    ASSERT_EQ(puzzle->groups.Size(), 3u);
    for (auto& p : puzzle->pieces) {
        ASSERT_NE(p->group, nullptr);
        EXPECT_TRUE(puzzle->groups.Contains(p->group));
    }
    EXPECT_EQ((POINT{P(0, 0)->x, P(0, 0)->y}), (POINT{1000, 1000}));
}

TEST_F(Arrange, NewGameScattersEveryPieceIntoTheArea) {
    MakeGrid(5, 4);
    puzzle->scatterArea = RECT{1988, 2116, 3012, 2884};
    puzzle->NewGame();
    EXPECT_EQ(puzzle->groups.Size(), 20u);
    EXPECT_EQ(puzzle->loosePieces, 20);
    EXPECT_EQ(puzzle->percentCompleted, 0.0f);
    for (POINT p : Origins()) {
        EXPECT_GE(p.x, 1988);
        EXPECT_LT(p.x, 3012);
        EXPECT_GE(p.y, 2116);
        EXPECT_LT(p.y, 2884);
    }
    // A second end-of-load message does not give any piece a second group.
    puzzle->NewGame();
    EXPECT_EQ(puzzle->groups.Size(), 20u);
}

} // namespace
