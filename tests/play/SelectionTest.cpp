#include "PlayFixture.h"

namespace {

class Selection : public PlayFixture {};

TEST_F(Selection, TheHeldGroupsKeepTheirOffsetsButEachIsClampedOnItsOwn) {
    MakeGrid(2, 1);
    CPieceGroup* a = Group({{0, 0}}, 300, 150);
    CPieceGroup* b = Group({{1, 0}}, 500, 400);
    puzzle->AddToSelection(a);
    puzzle->AddToSelection(b);
    EXPECT_EQ(puzzle->PickSelected(532, 432, false), 1);
    EXPECT_EQ(puzzle->PickSelected(3000, 3000, false), 0);
    puzzle->DragSelectionTo(4900, 1500);
    EXPECT_EQ(Pos(a), (POINT{4900, 1500}));
    EXPECT_EQ(Pos(b), (POINT{5000 - 32, 1750}));
    EXPECT_EQ(puzzle->positionChanged, 1);
}

TEST_F(Selection, RubberBandSelectsWholeGroupsInEitherDirection) {
    MakeGrid(4, 1);
    CPieceGroup* a = Group({{0, 0}}, 100, 100);
    CPieceGroup* b = Group({{1, 0}}, 200, 100);
    CPieceGroup* pair = Group({{2, 0}, {3, 0}}, 300, 100); // cells span 316..380
    CPieceGroup* empty = puzzle->NewGroup();
    puzzle->groups.Append(empty);
    const RECT bands[] = {{50, 50, 370, 200}, {370, 200, 50, 50}, {370, 50, 50, 200}, {50, 200, 370, 50}};
    for (const RECT& r : bands) {
        SCOPED_TRACE(testing::Message() << r.left << "," << r.top << "," << r.right << "," << r.bottom);
        puzzle->ClearSelection();
        puzzle->SelectInRect(r.left, r.top, r.right, r.bottom);
        // Selected in the stacking order, then brought to the front keeping it; the pair
        // with one piece outside the band and the empty group stay out.
        EXPECT_EQ(Order(puzzle->selection), (std::vector<CPieceGroup*>{b, a}));
        EXPECT_EQ(Order(puzzle->groups), (std::vector<CPieceGroup*>{a, b, pair, empty}));
    }
    puzzle->SelectInRect(50, 50, 400, 200);
    EXPECT_EQ(pair->selected, 1);
    // Selecting a second time does not list a group twice.
    puzzle->SelectInRect(50, 50, 400, 200);
    EXPECT_EQ(puzzle->selection.Size(), 3u);
}

} // namespace
