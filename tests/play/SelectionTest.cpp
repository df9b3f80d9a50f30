#include "PlayFixture.h"

#include <vector>

namespace {

class Selection : public PlayFixture {
  protected:
    std::vector<CPieceGroup*> Order(const OrderedList<CPieceGroup>& list) {
        return std::vector<CPieceGroup*>(list.begin(), list.end());
    }
    // Board point in the middle of a piece's cell.
    static POINT Centre(const CPiece* p) { return {p->x + 32, p->y + 32}; }
};

TEST_F(Selection, PressPicksTheTopmostGroupAndBringsItToTheFront) {
    MakeGrid(3, 1);
    CPieceGroup* a = Group({{0, 0}}, 100, 100);
    CPieceGroup* b = Group({{1, 0}}, 110, 105); // overlaps a, lies below it
    CPieceGroup* c = Group({{2, 0}}, 900, 900);
    ASSERT_TRUE(puzzle->Pick(130, 130, false));
    EXPECT_EQ(Order(puzzle->selection), std::vector<CPieceGroup*>{a});
    EXPECT_EQ(puzzle->selectionExists, 1);

    // Without ctrl, another press replaces the selection and brings the new group on top.
    ASSERT_TRUE(puzzle->Pick(Centre(P(2, 0)).x, Centre(P(2, 0)).y, false));
    EXPECT_EQ(Order(puzzle->selection), std::vector<CPieceGroup*>{c});
    EXPECT_EQ(a->selected, 0);
    EXPECT_EQ(Order(puzzle->groups), (std::vector<CPieceGroup*>{c, a, b}));

    // Empty board: nothing hit and the selection is gone.
    EXPECT_FALSE(puzzle->Pick(3000, 3000, false));
    EXPECT_TRUE(puzzle->selection.Empty());
    EXPECT_EQ(puzzle->selectionExists, 0);
}

TEST_F(Selection, CtrlClickAddsAndRemovesWithOffsetsFromTheHead) {
    MakeGrid(3, 1);
    CPieceGroup* a = Group({{0, 0}}, 100, 100);
    CPieceGroup* b = Group({{1, 0}}, 300, 150);
    CPieceGroup* c = Group({{2, 0}}, 500, 400);
    ASSERT_TRUE(puzzle->Pick(Centre(P(0, 0)).x, Centre(P(0, 0)).y, false));
    ASSERT_TRUE(puzzle->Pick(Centre(P(1, 0)).x, Centre(P(1, 0)).y, true));
    ASSERT_TRUE(puzzle->Pick(Centre(P(2, 0)).x, Centre(P(2, 0)).y, true));
    EXPECT_EQ(Order(puzzle->selection), (std::vector<CPieceGroup*>{a, b, c}));
    EXPECT_EQ((POINT{b->offsetX, b->offsetY}), (POINT{200, 50}));
    EXPECT_EQ((POINT{c->offsetX, c->offsetY}), (POINT{400, 300}));
    // The last one selected ends on top.
    EXPECT_EQ(Order(puzzle->groups), (std::vector<CPieceGroup*>{c, b, a}));

    // Ctrl on a selected group removes it; the offsets are taken from the new head.
    EXPECT_EQ(puzzle->PickSelected(Centre(P(0, 0)).x, Centre(P(0, 0)).y, true), 2);
    EXPECT_EQ(a->selected, 0);
    EXPECT_EQ(Order(puzzle->selection), (std::vector<CPieceGroup*>{b, c}));
    EXPECT_EQ((POINT{b->offsetX, b->offsetY}), (POINT{0, 0}));
    EXPECT_EQ((POINT{c->offsetX, c->offsetY}), (POINT{200, 250}));
    EXPECT_EQ(puzzle->PickSelected(Centre(P(1, 0)).x, Centre(P(1, 0)).y, false), 1);
    EXPECT_EQ(puzzle->PickSelected(3000, 3000, false), 0);

    // Through Pick as well: ctrl on a selected group takes it out.
    ASSERT_TRUE(puzzle->Pick(Centre(P(2, 0)).x, Centre(P(2, 0)).y, true));
    EXPECT_EQ(Order(puzzle->selection), std::vector<CPieceGroup*>{b});
    EXPECT_EQ(c->selected, 0);
}

TEST_F(Selection, DraggingKeepsOffsetsAndClampsEachGroup) {
    MakeGrid(2, 1);
    CPieceGroup* a = Group({{0, 0}}, 1000, 1000);
    CPieceGroup* b = Group({{1, 0}}, 1100, 1000);
    puzzle->AddToSelection(a);
    puzzle->AddToSelection(b);
    puzzle->positionChanged = 0;
    puzzle->DragSelectionTo(2000, 1500);
    EXPECT_EQ((POINT{a->x, a->y}), (POINT{2000, 1500}));
    EXPECT_EQ((POINT{b->x, b->y}), (POINT{2100, 1500}));
    EXPECT_EQ(puzzle->positionChanged, 1);
    // At the right edge the trailing group stops while the head goes on.
    puzzle->DragSelectionTo(4900, 1500);
    EXPECT_EQ(a->x, 4900);
    EXPECT_EQ(b->x, 5000 - 32);
}

TEST_F(Selection, RubberBandSelectsWholeGroupsInEitherDirection) {
    MakeGrid(4, 1);
    CPieceGroup* a = Group({{0, 0}}, 100, 100);
    CPieceGroup* b = Group({{1, 0}}, 200, 100);
    CPieceGroup* pair = Group({{2, 0}, {3, 0}}, 300, 100); // cells span 316..380
    CPieceGroup* far = puzzle->NewGroup();
    puzzle->groups.Append(far); // empty: never selected

    puzzle->SelectInRect(50, 50, 370, 200);
    const std::vector<CPieceGroup*> forward = Order(puzzle->selection);
    EXPECT_EQ(forward, (std::vector<CPieceGroup*>{b, a}));
    EXPECT_EQ(pair->selected, 0);
    EXPECT_EQ(far->selected, 0);
    // Selected in the stacking order, then brought to the front keeping it.
    EXPECT_EQ(Order(puzzle->groups), (std::vector<CPieceGroup*>{a, b, pair, far}));

    puzzle->ClearSelection();
    puzzle->SelectInRect(370, 200, 50, 50);
    EXPECT_EQ(Order(puzzle->selection), forward);

    puzzle->ClearSelection();
    puzzle->SelectInRect(370, 50, 50, 200);
    EXPECT_EQ(Order(puzzle->selection), forward);

    puzzle->ClearSelection();
    puzzle->SelectInRect(50, 50, 400, 200);
    EXPECT_EQ(pair->selected, 1);
    // Selecting a second time does not list a group twice.
    puzzle->SelectInRect(50, 50, 400, 200);
    EXPECT_EQ(puzzle->selection.Size(), 3u);
}

} // namespace
