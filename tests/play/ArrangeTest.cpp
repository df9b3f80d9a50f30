#include "PlayFixture.h"

#include "app/Random.h"

#include <set>

using Spots = std::set<std::pair<int, int>>;

class Arrange : public PlayFixture {
  protected:
    std::vector<std::pair<int, int>> Origins() {
        std::vector<std::pair<int, int>> out;
        for (CPieceGroup* g : puzzle->groups)
            out.push_back({g->x, g->y});
        return out;
    }
    Spots OriginSet() {
        const auto origins = Origins();
        return Spots(origins.begin(), origins.end());
    }
};

TEST_F(Arrange, ScatterDrawsXThenYPerGroupAndTheAngularCutLeavesPiecesOut) {
    MakeGrid(2, 2);
    puzzle->scatterArea = RECT{2000, 2000, 3000, 3000};
    GameSeed(1); // 41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, ...
    puzzle->Scatter();
    EXPECT_EQ(puzzle->groups.Head()->reference, P(0, 0));
    EXPECT_EQ(Origins(),
              (std::vector<std::pair<int, int>>{{2041, 2467}, {2334, 2500}, {2169, 2724}, {2478, 2358}}));
    // An empty area gives its corner rather than dividing by zero.
    puzzle->ClearGroups();
    puzzle->scatterArea = RECT{2500, 2400, 2500, 2400};
    puzzle->Scatter();
    EXPECT_EQ(OriginSet(), (Spots{{2500, 2400}}));
    MakeGrid(3, 3);
    puzzle->cutStyle = 5;
    for (CPieceSide& side : P(1, 1)->sides)
        side.setNumber = 0, side.slot = 4 + side.direction;
    // A piece with one side of a short slot stays in.
    for (CPieceSide& side : P(1, 2)->sides)
        side.setNumber = 0, side.slot = side.direction == 3 ? 3 : 6;
    puzzle->scatterArea = RECT{2000, 2000, 3000, 3000};
    puzzle->Scatter();
    EXPECT_EQ(std::pair(puzzle->groups.Size(), P(1, 1)->group),
              std::pair(std::size_t{8}, (CPieceGroup*)nullptr));
    // It is never a partner, and the rest in one group completes the puzzle.
    puzzle->ClearGroups();
    Group({{0, 0}, {1, 0}, {2, 0}, {0, 1}, {2, 1}, {0, 2}, {1, 2}}, 1000, 1000);
    CPieceGroup* last = Group({{2, 2}}, 1064, 1064);
    P(1, 1)->x = P(1, 1)->y = 1032;
    puzzle->AddToSelection(last);
    EXPECT_EQ(puzzle->DropSelection(), DropResult::Completed);
}

TEST_F(Arrange, AutoArrangeCirclesThePictureSavedGroupsAreRestoredAndNewGameScatters) {
    MakeGrid(4, 3); // a 128 x 96 picture: left0 2436, top0 2452
    Group({{0, 0}, {1, 0}}, 300, 400);
    for (auto& p : puzzle->pieces)
        if (!p->group) Group({{p->col, p->row}}, 100 + 40 * p->col, 100 + 40 * p->row);
    CPieceGroup* first = puzzle->groups.Tail();
    puzzle->AddToSelection(first);
    GameSeed(5);
    puzzle->AutoArrange();
    // S = 32: steps of 40 from 16 left of and 56 above the picture's corner; the joined pair stays.
    const Spots expected = {
        {300, 400},   {2420, 2396}, {2460, 2396}, {2500, 2396}, {2540, 2396}, {2540, 2436},
        {2540, 2476}, {2540, 2516}, {2540, 2556}, {2500, 2556}, {2460, 2556},
    };
    EXPECT_EQ(OriginSet(), expected);
    EXPECT_EQ(std::pair(Pos(P(1, 0)), first->selected), std::pair(POINT{332, 400}, 0));
    MakeGrid(3, 1);
    puzzle->savedPosition.groups = {{1000, 1200, {{1, 0}, {0, 0}}}, {3000, 3100, {{2, 0}}}};
    EXPECT_TRUE(puzzle->RestoreGroups());
    // Laid out from the first recorded piece.
    EXPECT_EQ(std::tuple(puzzle->groups.Head()->reference, Pos(P(0, 0)), Pos(P(2, 0))),
              std::tuple(P(1, 0), POINT{968, 1200}, POINT{3000, 3100}));
    // An unknown cell, a piece named twice and a piece never named.
    puzzle->ClearGroups();
    puzzle->savedPosition.groups = {{1000, 1000, {{0, 0}, {7, 0}}}, {2000, 2000, {{0, 0}}}};
    EXPECT_FALSE(puzzle->RestoreGroups());
    EXPECT_EQ(puzzle->groups.Size(), 1u);
    puzzle->restoringPosition = 1;
    puzzle->scatterArea = RECT{2000, 2000, 3000, 3000};
    puzzle->NewGame();
    EXPECT_EQ(std::tuple(puzzle->restoringPosition, puzzle->groups.Size(), Pos(P(0, 0))),
              std::tuple(0, std::size_t{3}, POINT{1000, 1000}));
    for (auto& p : puzzle->pieces)
        EXPECT_TRUE(p->group && puzzle->groups.Contains(p->group));
    MakeGrid(5, 4);
    // Crowded: every point of the area lies within 40 pixels of every other.
    puzzle->scatterArea = RECT{2500, 2500, 2510, 2510};
    puzzle->NewGame();
    EXPECT_EQ(std::pair(puzzle->loosePieces, puzzle->percentCompleted), std::pair(20, 0.0f));
    for (auto [x, y] : Origins())
        EXPECT_TRUE(2500 <= x && x < 2510 && 2500 <= y && y < 2510) << x << "," << y;
    // A second end-of-load message does not give any piece a second group.
    puzzle->NewGame();
    EXPECT_EQ(puzzle->groups.Size(), 20u);
}
