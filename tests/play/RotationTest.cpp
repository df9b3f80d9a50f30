#include "PlayFixture.h"

#include <vector>

namespace {

class Rotation : public PlayFixture {
  protected:
    std::vector<POINT> Positions() {
        std::vector<POINT> out;
        for (auto& p : puzzle->pieces)
            out.push_back({p->x, p->y});
        return out;
    }
};

TEST_F(Rotation, AQuarterTurnGoesClockwiseAboutTheReferenceCell) {
    MakeGrid(2, 1);
    CPieceGroup* g = Group({{0, 0}, {1, 0}}, 1000, 1000);
    g->RotateClockwise();
    EXPECT_EQ(P(0, 0)->rotation, 1);
    EXPECT_EQ(P(1, 0)->rotation, 1);
    for (const CPieceSide& side : P(1, 0)->sides)
        EXPECT_EQ(side.rotation, 1);
    EXPECT_EQ((POINT{P(0, 0)->x, P(0, 0)->y}), (POINT{1000, 1000}));
    EXPECT_EQ((POINT{P(1, 0)->x, P(1, 0)->y}), (POINT{1000, 1032}));
    EXPECT_EQ((POINT{g->x, g->y}), (POINT{1000, 1000}));
}

TEST_F(Rotation, FourTurnsRestoreTheGroup) {
    MakeGrid(3, 2);
    CPieceGroup* g = Group({{1, 0}, {0, 0}, {2, 0}, {0, 1}, {2, 1}}, 2000, 2000);
    const std::vector<POINT> before = Positions();
    std::vector<std::vector<POINT>> seen;
    for (int i = 0; i < 4; ++i) {
        g->RotateClockwise();
        seen.push_back(Positions());
    }
    EXPECT_EQ(seen[3], before);
    EXPECT_NE(seen[0], before);
    EXPECT_NE(seen[1], before);
    for (auto& p : puzzle->pieces)
        EXPECT_EQ(p->rotation, 0);
}

TEST_F(Rotation, TurningAtTheRightEdgeKeepsTheClampedOrigin) {
    MakeGrid(2, 1);
    CPieceGroup* g = Group({{0, 0}, {1, 0}}, 9000, 100);
    ASSERT_EQ(g->x, 5000 - 32);
    g->RotateClockwise();
    EXPECT_EQ(g->x, 5000 - 32);
    EXPECT_EQ(P(1, 0)->x, 5000 - 32);
    EXPECT_EQ(P(1, 0)->y, 132);
}

TEST_F(Rotation, SelectionTurnsOnlyWhenAllowed) {
    MakeGrid(2, 1);
    CPieceGroup* a = Group({{0, 0}}, 1000, 1000);
    CPieceGroup* b = Group({{1, 0}}, 2000, 1000);
    puzzle->AddToSelection(a);
    puzzle->AddToSelection(b);
    puzzle->soundeffects = 1;

    puzzle->userotation = 0;
    puzzle->positionChanged = 0;
    puzzle->RotateSelection();
    EXPECT_EQ(P(0, 0)->rotation, 0);
    EXPECT_TRUE(platform->soundsPlayed.empty());
    EXPECT_EQ(puzzle->positionChanged, 0);

    puzzle->userotation = 1;
    puzzle->loaderBusy = true;
    puzzle->RotateSelection();
    EXPECT_EQ(P(0, 0)->rotation, 0);
    puzzle->loaderBusy = false;

    puzzle->RotateSelection();
    EXPECT_EQ(P(0, 0)->rotation, 1);
    EXPECT_EQ(P(1, 0)->rotation, 1);
    EXPECT_EQ(puzzle->positionChanged, 1);
    ASSERT_EQ(platform->soundsPlayed.size(), 1u);
    EXPECT_EQ(platform->soundsPlayed[0], temp.Str() + "temp2");

    // Nothing selected: nothing turns.
    puzzle->ClearSelection();
    puzzle->positionChanged = 0;
    puzzle->RotateSelection();
    EXPECT_EQ(P(0, 0)->rotation, 1);
    EXPECT_EQ(puzzle->positionChanged, 0);
}

TEST_F(Rotation, AStrayRotationValueBecomesUpright) {
    // A rotation picks one of four images; a stray value must not index past them.
    CPiece piece;
    piece.SetRotation(4);
    EXPECT_EQ(piece.rotation, 0);
    piece.SetRotation(-1);
    EXPECT_EQ(piece.rotation, 0);
    EXPECT_EQ(piece.sides[2].rotation, 0);
    piece.SetRotation(3);
    piece.RotateClockwise();
    EXPECT_EQ(piece.rotation, 0);
}

} // namespace
