#include "PlayFixture.h"

namespace {

class Mouse : public PlayFixture {
  protected:
    void SetUp() override {
        app->scrollX = 2000;
        app->scrollY = 2000;
        MakeGrid(3, 1);
    }
    // View point over the middle of a piece's cell.
    POINT View(const CPiece* p) const { return {p->x + 32 - app->scrollX, p->y + 32 - app->scrollY}; }
    void Press(const CPiece* p) { mouse->OnLeftDown(View(p).x, View(p).y); }
    void Move(int x, int y) { mouse->OnMouseMove(MakeMouseLParam(x, y)); }

    CMainApp* app = game.app.get();
    CMouseController* mouse = puzzle->mouse.get();
};

TEST_F(Mouse, AClickWithoutMovingStillDropsAndJoins) {
    CPieceGroup* left = Group({{0, 0}}, 2100, 2100);
    CPieceGroup* right = Group({{1, 0}}, 2134, 2098); // 2 pixels off its place
    Press(P(1, 0));
    EXPECT_EQ(mouse->dragging, 1);
    EXPECT_EQ(platform.cursor, CursorKind::PointingHand);
    // The board view without the status bar, inset by 1, 2, scroll bar + 1 and 12.
    EXPECT_TRUE(platform.cursorConfined);
    EXPECT_EQ(platform.cursorClip, (RECT{1, 2, 800 - 17, 560 - 20 - 12}));

    mouse->OnLeftUp();
    EXPECT_EQ(P(1, 0)->group, left);
    EXPECT_EQ(Pos(P(1, 0)), (POINT{2132, 2100}));
    EXPECT_EQ(platform.cursor, CursorKind::Arrow);
    EXPECT_FALSE(platform.cursorConfined);
    EXPECT_TRUE(puzzle->selection.Contains(right));
}

TEST_F(Mouse, CtrlPressOnEmptyBoardDragsTheSelection) {
    CPieceGroup* a = Group({{0, 0}}, 2100, 2100);
    puzzle->AddToSelection(a);
    app->ctrlDown = 1;
    mouse->OnLeftDown(600, 400);
    EXPECT_EQ(mouse->rubberBanding, 0);
    Move(610, 395);
    EXPECT_EQ(Pos(a), (POINT{2110, 2095}));
    mouse->OnLeftUp();
}

TEST_F(Mouse, EdgeScrollingStartsFromThePressNotAStaleMove) {
    CPieceGroup* g = Group({{0, 0}}, 2100, 2100);
    // The last move was at the window's corner; the press itself is where the mouse is now.
    Move(0, 0);
    Press(P(0, 0));
    mouse->OnAutoScrollTimer();
    EXPECT_EQ(app->scrollX, 2000);
    EXPECT_EQ(app->scrollY, 2000);
    EXPECT_EQ(g->x, 2100);
    mouse->OnLeftUp();
}

TEST_F(Mouse, TheRightButtonDragsTheBoardButNotFromABand) {
    mouse->OnRightDown(100, 100);
    EXPECT_EQ(platform.cursor, CursorKind::OpenHand);
    Move(150, 130);
    EXPECT_EQ((POINT{app->scrollX, app->scrollY}), (POINT{1950, 1970}));
    mouse->OnRightUp();
    EXPECT_EQ(platform.cursor, CursorKind::Arrow);
    EXPECT_FALSE(platform.cursorConfined);
    Move(100, 100);
    EXPECT_EQ(app->scrollX, 1950);
    // Not while a band is drawn.
    mouse->OnLeftDown(50, 50);
    mouse->OnRightDown(60, 60);
    EXPECT_FALSE(mouse->RightDragging());
}

} // namespace
