#include "PlayFixture.h"

class Model : public PlayFixture {};

TEST_F(Model, LayoutHitTestsCountsLookupRotationsHeldGroupsAndRubberBands) {
    MakeGrid(4, 4);
    // Reference (1, 1), one piece to its right (2, 1) and one below it (1, 2).
    CPieceGroup* g = Group({{1, 1}, {2, 1}, {1, 2}}, 1000, 2000);
    const std::vector<POINT> table[] = {{{1032, 2000}, {1000, 2032}},
                                        {{1000, 2032}, {968, 2000}},
                                        {{968, 2000}, {1000, 1968}},
                                        {{1000, 1968}, {1032, 2000}}};
    for (int rot = 0; rot < 4; ++rot) {
        for (CPiece* p : g->pieces)
            p->SetRotation(rot);
        g->PlaceAt(1000, 2000);
        EXPECT_EQ((std::vector<POINT>{Pos(P(1, 1)), Pos(P(2, 1)), Pos(P(1, 2))}),
                  (std::vector<POINT>{{1000, 2000}, table[rot][0], table[rot][1]}))
            << rot;
    }
    // The rest of a clamped group keeps its layout and reaches past the edge.
    MakeGrid(3, 1);
    g = Group({{0, 0}, {1, 0}, {2, 0}}, -7, -1);
    EXPECT_EQ(Pos(g), (POINT{0, 0}));
    g->PlaceAt(6000, 4990);
    const int edge = 5000 - 32;
    EXPECT_EQ(std::pair(Pos(g), Pos(P(2, 0))), std::pair(POINT{edge, edge}, POINT{edge + 64, edge}));
    g->RotateClockwise();
    EXPECT_EQ(std::pair(Pos(g), Pos(P(2, 0))), std::pair(POINT{edge, edge}, POINT{edge, edge + 64}));
    MakeGrid(3, 1);
    g = Group({{0, 0}}, 100, 200);
    // S = 32: the cell grown by 4 spans 112..152 by 212..252; a tab out to 101 is outside it.
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
    EXPECT_EQ((std::vector<bool>{pair->InsideRect(115, 115, 181, 149), pair->InsideRect(116, 115, 181, 149),
                                 pair->InsideRect(115, 115, 180, 149), pair->InsideRect(115, 115, 181, 148)}),
              (std::vector<bool>{true, false, false, false}));
    // An emptied group is inside no band at all.
    g->MergeInto(pair);
    EXPECT_FALSE(g->InsideRect(-10000, -10000, 10000, 10000));
    MakeGrid(4, 1);
    Group({{0, 0}, {1, 0}}, 100, 100);
    Group({{2, 0}}, 300, 100);
    Group({{3, 0}}, 500, 100);
    puzzle->CountGroups();
    EXPECT_EQ(std::pair(puzzle->loosePieces, puzzle->percentCompleted), std::pair(2, 25.0f));
    // Without pieces the percentage is left alone rather than divided by nought.
    puzzle->totalPieces = 0;
    puzzle->percentCompleted = 12.5f;
    puzzle->CountGroups();
    EXPECT_EQ(puzzle->percentCompleted, 12.5f);
    // A cut still in progress has fewer pieces than the grid.
    MakeGrid(3, 2);
    EXPECT_EQ((std::vector<bool>{P(3, 0) == nullptr, P(0, -1) == nullptr, P(2, 1) == nullptr}),
              (std::vector<bool>{true, true, false}));
    puzzle->pieces.pop_back();
    EXPECT_EQ(P(2, 1), nullptr);
    // A rotation picks one of four images; a stray value must not index past them.
    CPiece piece;
    piece.SetRotation(4);
    EXPECT_EQ(piece.rotation, 0);
    piece.SetRotation(-1);
    EXPECT_EQ(std::pair(piece.rotation, piece.sides[2].rotation), std::pair(0, 0));
    MakeGrid(2, 1);
    CPieceGroup* a = Group({{0, 0}}, 300, 150);
    CPieceGroup* b = Group({{1, 0}}, 500, 400);
    puzzle->AddToSelection(a);
    puzzle->AddToSelection(b);
    EXPECT_EQ(std::pair(puzzle->PickSelected(532, 432, false), puzzle->PickSelected(3000, 3000, false)),
              std::pair(1, 0));
    puzzle->DragSelectionTo(4900, 1500);
    EXPECT_EQ(std::tuple(Pos(a), Pos(b), puzzle->positionChanged),
              std::tuple(POINT{4900, 1500}, POINT{5000 - 32, 1750}, 1));
    MakeGrid(4, 1);
    a = Group({{0, 0}}, 100, 100);
    b = Group({{1, 0}}, 200, 100);
    pair = Group({{2, 0}, {3, 0}}, 300, 100); // cells span 316..380
    CPieceGroup* empty = puzzle->NewGroup();
    puzzle->groups.Append(empty);
    using Groups = std::vector<CPieceGroup*>;
    for (const RECT& r :
         {RECT{50, 50, 370, 200}, {370, 200, 50, 50}, {370, 50, 50, 200}, {50, 200, 370, 50}}) {
        puzzle->ClearSelection();
        puzzle->SelectInRect(r.left, r.top, r.right, r.bottom);
        // Selected in the stacking order, then brought to the front keeping it; the pair
        // with one piece outside the band and the empty group stay out.
        EXPECT_EQ(Groups(puzzle->selection.begin(), puzzle->selection.end()), (Groups{b, a}))
            << r.left << r.top;
        EXPECT_EQ(Groups(puzzle->groups.begin(), puzzle->groups.end()), (Groups{a, b, pair, empty}));
    }
    // Selecting a second time does not list a group twice.
    puzzle->SelectInRect(50, 50, 400, 200);
    puzzle->SelectInRect(50, 50, 400, 200);
    EXPECT_EQ(std::pair(pair->selected, puzzle->selection.Size()), std::pair(1, std::size_t{3}));
}
