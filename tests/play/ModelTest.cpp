#include "PlayFixture.h"

namespace {

class Model : public PlayFixture {};

TEST_F(Model, LayoutTurnsTheGridOffsetAboutTheReferencePiece) {
    MakeGrid(4, 4);
    // Reference (1, 1), one piece to its right (2, 1) and one below it (1, 2).
    CPieceGroup* g = Group({{1, 1}, {2, 1}, {1, 2}}, 1000, 2000);
    struct Expect {
        int rot;
        POINT right, below;
    };
    const Expect table[] = {
        {0, {1032, 2000}, {1000, 2032}},
        {1, {1000, 2032}, {968, 2000}},
        {2, {968, 2000}, {1000, 1968}},
        {3, {1000, 1968}, {1032, 2000}},
    };
    for (const Expect& e : table) {
        for (CPiece* p : g->pieces)
            p->SetRotation(e.rot);
        g->PlaceAt(1000, 2000);
        SCOPED_TRACE(e.rot);
        EXPECT_EQ(P(1, 1)->x, 1000);
        EXPECT_EQ(P(1, 1)->y, 2000);
        EXPECT_EQ((POINT{P(2, 1)->x, P(2, 1)->y}), e.right);
        EXPECT_EQ((POINT{P(1, 2)->x, P(1, 2)->y}), e.below);
    }
}

TEST_F(Model, OnlyTheOriginIsClampedToTheBoard) {
    MakeGrid(3, 1);
    CPieceGroup* g = Group({{0, 0}, {1, 0}, {2, 0}}, 100, 100);
    g->PlaceAt(-7, -1);
    EXPECT_EQ(g->x, 0);
    EXPECT_EQ(g->y, 0);
    g->PlaceAt(6000, 4990);
    EXPECT_EQ(g->x, 5000 - 32);
    EXPECT_EQ(g->y, 5000 - 32);
    // The rest of the group keeps its layout and reaches past the edge.
    EXPECT_EQ(P(2, 0)->x, 5000 - 32 + 64);
    EXPECT_EQ(P(2, 0)->y, 5000 - 32);
    g->PlaceAt(5000 - 32, 0);
    EXPECT_EQ(g->x, 5000 - 32);
}

TEST_F(Model, HitTestUsesTheEnlargedCellWithStrictEdges) {
    MakeGrid(1, 1);
    CPieceGroup* g = Group({{0, 0}}, 100, 200);
    // S = 32: the cell is enlarged by 4, so the hit square spans 112..152 by 212..252.
    EXPECT_FALSE(g->HitTest(112, 230));
    EXPECT_TRUE(g->HitTest(113, 230));
    EXPECT_TRUE(g->HitTest(151, 230));
    EXPECT_FALSE(g->HitTest(152, 230));
    EXPECT_FALSE(g->HitTest(130, 212));
    EXPECT_TRUE(g->HitTest(130, 213));
    EXPECT_TRUE(g->HitTest(130, 251));
    EXPECT_FALSE(g->HitTest(130, 252));
    // A tab would reach to the image edge, which is outside the hit square.
    EXPECT_FALSE(g->HitTest(101, 230));
}

TEST_F(Model, InsideRectNeedsEveryCellStrictlyInside) {
    MakeGrid(2, 1);
    CPieceGroup* g = Group({{0, 0}, {1, 0}}, 100, 100);
    // Cells span 116..180 by 116..148.
    EXPECT_TRUE(g->InsideRect(115, 115, 181, 149));
    EXPECT_FALSE(g->InsideRect(116, 115, 181, 149));
    EXPECT_FALSE(g->InsideRect(115, 115, 180, 149));
    EXPECT_FALSE(g->InsideRect(115, 115, 181, 148));
}

TEST_F(Model, EmptyGroupsAreNeverHitCountedOrInside) {
    MakeGrid(2, 1);
    CPieceGroup* a = Group({{0, 0}}, 100, 100);
    CPieceGroup* b = Group({{1, 0}}, 132, 100);
    b->MergeInto(a);
    ASSERT_TRUE(b->pieces.Empty());
    EXPECT_EQ(b->reference, nullptr);
    EXPECT_FALSE(b->HitTest(b->x + 20, b->y + 20));
    EXPECT_FALSE(b->InsideRect(-10000, -10000, 10000, 10000));
    EXPECT_TRUE(puzzle->groups.Contains(b));
    puzzle->CountGroups();
    EXPECT_EQ(puzzle->loosePieces, 0);
    EXPECT_EQ(puzzle->percentCompleted, 100.0f);
}

TEST_F(Model, CountsAndPercentages) {
    MakeGrid(10, 10);
    // 50 groups of two pieces each.
    for (int r = 0; r < 10; ++r) {
        for (int c = 0; c < 10; c += 2)
            Group({{c, r}, {c + 1, r}}, 100 * c, 100 * r);
    }
    puzzle->CountGroups();
    EXPECT_EQ(puzzle->loosePieces, 0);
    EXPECT_FLOAT_EQ(puzzle->percentCompleted, 50.0f);

    // Loose pieces are the one-piece groups; empty groups do not count.
    puzzle->ClearGroups();
    for (auto& p : puzzle->pieces)
        EXPECT_EQ(p->group, nullptr);
    OneGroupPerPiece(500, 500, 50);
    puzzle->CountGroups();
    EXPECT_EQ(puzzle->loosePieces, 100);
    EXPECT_FLOAT_EQ(puzzle->percentCompleted, 0.0f);

    // Everything in one group is exactly 100.
    puzzle->ClearGroups();
    CPieceGroup* all = puzzle->NewGroup();
    for (auto& p : puzzle->pieces)
        all->AddPiece(p.get());
    all->PlaceAt(0, 0);
    puzzle->groups.Append(all);
    puzzle->CountGroups();
    EXPECT_EQ(puzzle->percentCompleted, 100.0f);

    // Without pieces the percentage is left alone.
    puzzle->totalPieces = 0;
    puzzle->percentCompleted = 12.5f;
    puzzle->CountGroups();
    EXPECT_EQ(puzzle->percentCompleted, 12.5f);
}

TEST_F(Model, PieceAtIsBoundedByTheGrid) {
    MakeGrid(3, 2);
    EXPECT_EQ(P(-1, 0), nullptr);
    EXPECT_EQ(P(3, 0), nullptr);
    EXPECT_EQ(P(0, 2), nullptr);
    EXPECT_EQ(P(0, -1), nullptr);
    EXPECT_EQ(P(2, 1)->col, 2);
    EXPECT_EQ(P(2, 1)->row, 1);
    // A cut still in progress has fewer pieces than the grid.
    puzzle->pieces.pop_back();
    EXPECT_EQ(P(2, 1), nullptr);
}

} // namespace
