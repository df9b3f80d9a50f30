#include "PlayFixture.h"

namespace {

class Model : public PlayFixture {};

TEST_F(Model, LayoutTurnsTheGridOffsetAboutTheReferencePiece) {
    MakeGrid(4, 4);
    // Reference (1, 1), one piece to its right (2, 1) and one below it (1, 2).
    CPieceGroup* g = Group({{1, 1}, {2, 1}, {1, 2}}, 1000, 2000);
    const struct {
        int rot;
        POINT right, below;
    } table[] = {
        {0, {1032, 2000}, {1000, 2032}},
        {1, {1000, 2032}, {968, 2000}},
        {2, {968, 2000}, {1000, 1968}},
        {3, {1000, 1968}, {1032, 2000}},
    };
    for (const auto& e : table) {
        SCOPED_TRACE(e.rot);
        for (CPiece* p : g->pieces)
            p->SetRotation(e.rot);
        g->PlaceAt(1000, 2000);
        EXPECT_EQ(Pos(P(1, 1)), (POINT{1000, 2000}));
        EXPECT_EQ(Pos(P(2, 1)), e.right);
        EXPECT_EQ(Pos(P(1, 2)), e.below);
    }
}

TEST_F(Model, OnlyTheOriginIsClampedToTheBoardEvenWhenTurning) {
    MakeGrid(3, 1);
    CPieceGroup* g = Group({{0, 0}, {1, 0}, {2, 0}}, -7, -1);
    EXPECT_EQ(Pos(g), (POINT{0, 0}));
    g->PlaceAt(6000, 4990);
    const int edge = 5000 - 32;
    EXPECT_EQ(Pos(g), (POINT{edge, edge}));
    // The rest of the group keeps its layout and reaches past the edge.
    EXPECT_EQ(Pos(P(2, 0)), (POINT{edge + 64, edge}));
    g->RotateClockwise();
    EXPECT_EQ(Pos(g), (POINT{edge, edge}));
    EXPECT_EQ(Pos(P(2, 0)), (POINT{edge, edge + 64}));
}

TEST_F(Model, HitAndBandTestsHaveStrictEdges) {
    MakeGrid(3, 1);
    CPieceGroup* g = Group({{0, 0}}, 100, 200);
    // S = 32: the cell enlarged by 4 spans 112..152 by 212..252; a tab reaching to the image
    // edge (101) is outside it.
    const struct {
        int x, y;
        bool hit;
    } points[] = {{112, 230, false}, {113, 230, true},  {151, 230, true},
                  {152, 230, false}, {130, 212, false}, {130, 213, true},
                  {130, 251, true},  {130, 252, false}, {101, 230, false}};
    for (const auto& p : points)
        EXPECT_EQ(g->HitTest(p.x, p.y), p.hit) << p.x << "," << p.y;

    // Every cell must lie strictly inside a band; the pair's cells span 116..180 by 116..148.
    CPieceGroup* pair = Group({{1, 0}, {2, 0}}, 100, 100);
    EXPECT_TRUE(pair->InsideRect(115, 115, 181, 149));
    EXPECT_FALSE(pair->InsideRect(116, 115, 181, 149));
    EXPECT_FALSE(pair->InsideRect(115, 115, 180, 149));
    EXPECT_FALSE(pair->InsideRect(115, 115, 181, 148));
    // An emptied group is inside no band at all.
    g->MergeInto(pair);
    EXPECT_FALSE(g->InsideRect(-10000, -10000, 10000, 10000));
}

TEST_F(Model, CountsAndPercentages) {
    MakeGrid(4, 1);
    Group({{0, 0}, {1, 0}}, 100, 100);
    Group({{2, 0}}, 300, 100);
    Group({{3, 0}}, 500, 100);
    puzzle->CountGroups();
    EXPECT_EQ(puzzle->loosePieces, 2);
    EXPECT_FLOAT_EQ(puzzle->percentCompleted, 25.0f);
    // Without pieces the percentage is left alone rather than divided by nought.
    puzzle->totalPieces = 0;
    puzzle->percentCompleted = 12.5f;
    puzzle->CountGroups();
    EXPECT_EQ(puzzle->percentCompleted, 12.5f);
}

TEST_F(Model, PieceAtIsBoundedByTheGrid) {
    MakeGrid(3, 2);
    EXPECT_EQ(P(3, 0), nullptr);
    EXPECT_EQ(P(0, -1), nullptr);
    ASSERT_NE(P(2, 1), nullptr);
    // A cut still in progress has fewer pieces than the grid.
    puzzle->pieces.pop_back();
    EXPECT_EQ(P(2, 1), nullptr);
}

TEST_F(Model, AStrayRotationValueBecomesUpright) {
    // A rotation picks one of four images; a stray value must not index past them.
    CPiece piece;
    piece.SetRotation(4);
    EXPECT_EQ(piece.rotation, 0);
    piece.SetRotation(-1);
    EXPECT_EQ(piece.rotation, 0);
    EXPECT_EQ(piece.sides[2].rotation, 0);
}

} // namespace
