#include "PlayFixture.h"

class Mouse : public PlayFixture {
  protected:
    void SetUp() override {
        app->scrollX = app->scrollY = 2000;
        MakeGrid(3, 1);
    }
    // Presses over the middle of a piece's cell.
    void Press(const CPiece* p) { mouse->OnLeftDown(p->x + 32 - app->scrollX, p->y + 32 - app->scrollY); }
    void Move(int x, int y) { mouse->OnMouseMove(MakeMouseLParam(x, y)); }
    CMainApp* app = game.app.get();
    CMouseController* mouse = puzzle->mouse.get();
};

TEST_F(Mouse, AClickStillDropsCtrlPressDragsTheSelectionRightDragsTheBoard) {
    CPieceGroup* left = Group({{0, 0}}, 2100, 2100);
    CPieceGroup* right = Group({{1, 0}}, 2134, 2098); // 2 pixels off its place
    Press(P(1, 0));
    // The board view without the status bar, inset by 1, 2, scroll bar + 1 and 12.
    EXPECT_EQ(std::tuple(mouse->dragging, platform.cursor, platform.cursorConfined, platform.cursorClip),
              std::tuple(1, CursorKind::PointingHand, true, RECT{1, 2, 800 - 17, 560 - 20 - 12}));
    mouse->OnLeftUp();
    EXPECT_EQ(std::tuple(P(1, 0)->group, Pos(P(1, 0)), platform.cursor, platform.cursorConfined),
              std::tuple(left, POINT{2132, 2100}, CursorKind::Arrow, false));
    EXPECT_TRUE(puzzle->selection.Contains(right));
    MakeGrid(3, 1);
    CPieceGroup* a = Group({{0, 0}}, 2100, 2100);
    puzzle->AddToSelection(a);
    app->ctrlDown = 1;
    mouse->OnLeftDown(600, 400);
    EXPECT_EQ(mouse->rubberBanding, 0);
    Move(610, 395);
    EXPECT_EQ(Pos(a), (POINT{2110, 2095}));
    mouse->OnLeftUp();
    // The last move was at the window's corner; the press itself is where the mouse is now.
    app->ctrlDown = 0;
    Move(0, 0);
    Press(P(0, 0));
    mouse->OnAutoScrollTimer();
    EXPECT_EQ(std::tuple(app->scrollX, app->scrollY, a->x), std::tuple(2000, 2000, 2110));
    mouse->OnLeftUp();
    mouse->OnRightDown(100, 100);
    EXPECT_EQ(platform.cursor, CursorKind::OpenHand);
    Move(150, 130);
    EXPECT_EQ((POINT{app->scrollX, app->scrollY}), (POINT{1950, 1970}));
    mouse->OnRightUp();
    EXPECT_EQ(std::pair(platform.cursor, platform.cursorConfined), std::pair(CursorKind::Arrow, false));
    Move(100, 100);
    EXPECT_EQ(app->scrollX, 1950);
    // Not while a band is drawn.
    mouse->OnLeftDown(50, 50);
    mouse->OnRightDown(60, 60);
    EXPECT_FALSE(mouse->RightDragging());
}
