#include "PlayFixture.h"

#include "app/CMainApp.h"
#include "play/CMouseController.h"

namespace {

class Mouse : public PlayFixture {
  protected:
    void SetUp() override {
        PlayFixture::SetUp();
        app = std::make_unique<CMainApp>();
        g_mainApp = app.get();
        app->scrollX = 2000;
        app->scrollY = 2000;
        mouse = puzzle->mouse.get();
        MakeGrid(3, 1);
    }
    void TearDown() override {
        app.reset();
        g_mainApp = nullptr;
        PlayFixture::TearDown();
    }
    // View point over the middle of a piece's cell.
    POINT ViewCentre(const CPiece* p) const { return {p->x + 32 - app->scrollX, p->y + 32 - app->scrollY}; }
    void Move(int x, int y) { mouse->OnMouseMove(MakeMouseLParam(x, y)); }

    std::unique_ptr<CMainApp> app;
    CMouseController* mouse = nullptr;
};

TEST_F(Mouse, AClickWithoutMovingStillDropsAndJoins) {
    CPieceGroup* left = Group({{0, 0}}, 2100, 2100);
    CPieceGroup* right = Group({{1, 0}}, 2134, 2098); // 2 pixels off its place
    const POINT v = ViewCentre(P(1, 0));
    mouse->OnLeftDown(v.x, v.y);
    EXPECT_EQ(mouse->dragging, 1);
    EXPECT_EQ(puzzle->positionChanged, 1);
    EXPECT_EQ(platform->cursor, CursorKind::PointingHand);
    EXPECT_TRUE(platform->cursorConfined);
    // The board view without the status bar, inset by 1, 2, scroll bar + 1 and 12.
    EXPECT_EQ(platform->cursorClip, (RECT{1, 2, 800 - 17, 560 - 20 - 12}));
    EXPECT_EQ(puzzle->groups.Head(), right);

    mouse->OnLeftUp();
    EXPECT_EQ(mouse->dragging, 0);
    EXPECT_EQ(P(1, 0)->group, left);
    EXPECT_EQ((POINT{P(1, 0)->x, P(1, 0)->y}), (POINT{2132, 2100}));
    EXPECT_EQ(platform->cursor, CursorKind::Arrow);
    EXPECT_FALSE(platform->cursorConfined);
    // The selection survives the drop.
    EXPECT_TRUE(puzzle->selection.Contains(right));
}

TEST_F(Mouse, DraggingMovesTheSelectionWithTheMouse) {
    CPieceGroup* a = Group({{0, 0}}, 2100, 2100);
    CPieceGroup* b = Group({{2, 0}}, 2300, 2150);
    puzzle->AddToSelection(a);
    app->ctrlDown = 1;
    const POINT vb = ViewCentre(P(2, 0));
    mouse->OnLeftDown(vb.x, vb.y); // ctrl adds b and starts dragging from it
    app->ctrlDown = 0;
    ASSERT_EQ(mouse->dragging, 1);
    Move(vb.x + 100, vb.y + 50);
    EXPECT_EQ((POINT{a->x, a->y}), (POINT{2200, 2150}));
    EXPECT_EQ((POINT{b->x, b->y}), (POINT{2400, 2200}));
    mouse->OnLeftUp();

    // Ctrl on a selected group takes it out and starts no drag.
    app->ctrlDown = 1;
    const POINT va = ViewCentre(P(0, 0));
    mouse->OnLeftDown(va.x, va.y);
    EXPECT_EQ(mouse->dragging, 0);
    EXPECT_EQ(a->selected, 0);
    EXPECT_EQ(b->selected, 1);

    // Ctrl+press on empty board with a selection drags the selection from there.
    mouse->OnLeftDown(600, 400);
    EXPECT_EQ(mouse->dragging, 1);
    EXPECT_EQ(mouse->rubberBanding, 0);
    Move(610, 400);
    EXPECT_EQ(b->x, 2410);
    mouse->OnLeftUp();
}

TEST_F(Mouse, HoldingAPieceAtTheEdgeScrollsOnTheTimer) {
    CPieceGroup* g = Group({{0, 0}}, 2100, 2100);
    const POINT v = ViewCentre(P(0, 0));
    // The last move was at the window's corner; the press itself is where the mouse is now.
    Move(0, 0);
    mouse->OnLeftDown(v.x, v.y);
    mouse->OnAutoScrollTimer();
    EXPECT_EQ(app->scrollX, 2000);
    EXPECT_EQ(g->x, 2100);
    // 10 pixels from the right edge: the move itself does not move the piece.
    Move(790, v.y);
    EXPECT_EQ(g->x, 2100);
    mouse->OnAutoScrollTimer();
    EXPECT_EQ(app->scrollX, 2020);
    EXPECT_EQ(g->x, 2020 + 790 - 32);
    mouse->OnAutoScrollTimer();
    EXPECT_EQ(app->scrollX, 2040);
    // Moving within the margin still leaves the pieces to the timer.
    Move(795, v.y + 5);
    EXPECT_EQ(g->x, 2040 + 790 - 32);
    for (int i = 0; i < 300; ++i)
        mouse->OnAutoScrollTimer();
    EXPECT_EQ(app->scrollX, 5000);
    EXPECT_EQ(g->x, 5000 - 32);

    // Right wins over up in the corner; the timer does nothing once the piece is dropped.
    Move(795, 5);
    mouse->OnAutoScrollTimer();
    EXPECT_EQ(app->scrollY, 2000);
    mouse->OnLeftUp();
    Move(400, 5);
    mouse->OnAutoScrollTimer();
    EXPECT_EQ(app->scrollY, 2000);
}

TEST_F(Mouse, TheRubberBandSelectsOnRelease) {
    CPieceGroup* a = Group({{0, 0}}, 2100, 2100);
    CPieceGroup* b = Group({{1, 0}}, 2200, 2100);
    Group({{2, 0}}, 2400, 2100);
    // A release before any move selects nothing.
    mouse->OnLeftDown(50, 50);
    EXPECT_EQ(mouse->rubberBanding, 1);
    EXPECT_TRUE(platform->cursorConfined);
    mouse->OnLeftUp();
    EXPECT_TRUE(puzzle->selection.Empty());
    EXPECT_EQ(mouse->band[0], -1);

    // Drawn up and to the left, over the first two pieces only (view coordinates).
    mouse->OnLeftDown(300, 200);
    Move(250, 150);
    Move(50, 50);
    EXPECT_EQ((std::vector<int>{mouse->band[0], mouse->band[1], mouse->band[2], mouse->band[3]}),
              (std::vector<int>{300, 200, 50, 50}));
    mouse->OnLeftUp();
    EXPECT_EQ(mouse->rubberBanding, 0);
    EXPECT_EQ(puzzle->selection.Size(), 2u);
    EXPECT_TRUE(a->selected && b->selected);
    EXPECT_FALSE(platform->cursorConfined);
    EXPECT_EQ(mouse->dragging, 0);
}

TEST_F(Mouse, WheelScrollsFortyPixelsANotch) {
    mouse->OnWheel(0, 120);
    EXPECT_EQ(app->scrollY, 1960);
    mouse->OnWheel(0, 119);
    EXPECT_EQ(app->scrollY, 1960);
    mouse->OnWheel(0, -240);
    EXPECT_EQ(app->scrollY, 2040);
    mouse->OnWheel(static_cast<int>(MK_CONTROL), 120);
    EXPECT_EQ(app->scrollX, 2040);
    mouse->OnWheel(static_cast<int>(MK_SHIFT), -120);
    EXPECT_EQ(app->scrollX, 2000);
    // Both keys, or a key with a button, scroll vertically.
    mouse->OnWheel(static_cast<int>(MK_CONTROL | MK_SHIFT), 120);
    EXPECT_EQ(app->scrollX, 2000);
    EXPECT_EQ(app->scrollY, 2000);
    mouse->OnWheel(static_cast<int>(MK_CONTROL | MK_LBUTTON), 120);
    EXPECT_EQ(app->scrollY, 1960);

    // Not while the band is drawn.
    mouse->OnLeftDown(50, 50);
    mouse->OnWheel(0, 120);
    EXPECT_EQ(app->scrollY, 1960);
    mouse->OnLeftUp();
}

TEST_F(Mouse, TheRightButtonDragsTheBoard) {
    mouse->OnRightDown(100, 100);
    EXPECT_EQ(platform->cursor, CursorKind::OpenHand);
    EXPECT_TRUE(platform->cursorConfined);
    Move(150, 130);
    EXPECT_EQ(app->scrollX, 1950);
    EXPECT_EQ(app->scrollY, 1970);
    Move(40, 100);
    EXPECT_EQ(app->scrollX, 2060);
    EXPECT_EQ(app->scrollY, 2000);
    mouse->OnRightUp();
    EXPECT_EQ(platform->cursor, CursorKind::Arrow);
    EXPECT_FALSE(platform->cursorConfined);
    EXPECT_FALSE(mouse->RightDragging());
    Move(100, 100);
    EXPECT_EQ(app->scrollX, 2060);

    // Not from a rubber band.
    mouse->OnLeftDown(50, 50);
    mouse->OnRightDown(60, 60);
    EXPECT_FALSE(mouse->RightDragging());
    mouse->OnLeftUp();
}

TEST_F(Mouse, CancelDropsHeldPiecesAndForgetsTheBand) {
    CPieceGroup* left = Group({{0, 0}}, 2100, 2100);
    Group({{1, 0}}, 2300, 2300);
    const POINT v = ViewCentre(P(1, 0));
    mouse->OnLeftDown(v.x, v.y);
    Move(v.x - 168 + 1, v.y - 200); // one pixel right of its place beside the left piece
    mouse->Cancel();
    EXPECT_EQ(mouse->dragging, 0);
    EXPECT_EQ(P(1, 0)->group, left);
    EXPECT_EQ(platform->cursor, CursorKind::Arrow);
    EXPECT_FALSE(platform->cursorConfined);

    mouse->OnLeftDown(400, 400); // empty board: band, after clearing the selection
    Move(10, 10);
    mouse->Cancel();
    EXPECT_EQ(mouse->rubberBanding, 0);
    EXPECT_FALSE(mouse->BandComplete());
    mouse->OnLeftUp();
    EXPECT_TRUE(puzzle->selection.Empty());
}

TEST_F(Mouse, NothingHappensWhileLoading) {
    CPieceGroup* g = Group({{0, 0}}, 2100, 2100);
    puzzle->loaderBusy = true;
    const POINT v = ViewCentre(P(0, 0));
    mouse->OnLeftDown(v.x, v.y);
    Move(v.x + 50, v.y);
    mouse->OnWheel(0, 120);
    mouse->OnRightDown(10, 10);
    EXPECT_TRUE(puzzle->selection.Empty());
    EXPECT_EQ(mouse->dragging, 0);
    EXPECT_EQ(g->x, 2100);
    EXPECT_EQ(app->scrollY, 2000);
    EXPECT_FALSE(mouse->RightDragging());
    EXPECT_EQ(puzzle->positionChanged, 0);
}

} // namespace
