// Selecting and scrolling through the window: Ctrl-clicks, the rubber band, scrolling at
// the window edge while holding pieces, and the wheel.
#include "support/GameFixture.h"

#include <algorithm>

namespace {

class PlayMouseTest : public GameFixture {
  protected:
    void SetUp() override {
        GameFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(Load(96, 64));
        ASSERT_NO_FATAL_FAILURE(SpreadOut());
    }
    static CPieceGroup* G(int c, int r) { return P(c, r)->group; }
    static std::vector<CPieceGroup*> Selection() {
        return std::vector<CPieceGroup*>(g_puzzle->selection.begin(), g_puzzle->selection.end());
    }
};

TEST_F(PlayMouseTest, CtrlClickAddsAndRemovesAndTheSelectionMovesTogether) {
    ClickPiece(P(0, 0));
    EXPECT_EQ(Selection(), (std::vector<CPieceGroup*>{G(0, 0)}));

    const auto origins = Origins();
    Send(WM_KEYDOWN, VK_CONTROL);
    ClickPiece(P(1, 0));
    ClickPiece(P(2, 0));
    EXPECT_EQ(Selection(), (std::vector<CPieceGroup*>{G(0, 0), G(1, 0), G(2, 0)}));
    EXPECT_EQ(g_puzzle->groups.Head(), G(2, 0)) << "the last selected ends on top";
    // Ctrl on a selected piece takes it out and holds nothing: moving the mouse moves nothing.
    const POINT c00 = Centre(P(0, 0));
    Press(c00.x, c00.y);
    EXPECT_EQ(g_puzzle->mouse->dragging, 0);
    MoveTo(c00.x + 50, c00.y - 30);
    Release(c00.x + 50, c00.y - 30);
    Send(WM_KEYUP, VK_CONTROL);
    EXPECT_EQ(Selection(), (std::vector<CPieceGroup*>{G(1, 0), G(2, 0)}));
    std::vector<std::pair<int, int>> sorted = Origins(), before = origins;
    std::sort(sorted.begin(), sorted.end());
    std::sort(before.begin(), before.end());
    EXPECT_EQ(sorted, before) << "Ctrl-clicks without moving leave every piece where it was";

    // Pressing a selected piece drags the whole selection, offsets kept.
    const POINT p10 = Pos(P(1, 0)), p20 = Pos(P(2, 0));
    Drag(Centre(P(2, 0)), -40, -100);
    EXPECT_EQ(Pos(P(2, 0)), (POINT{p20.x - 40, p20.y - 100}));
    EXPECT_EQ(Pos(P(1, 0)), (POINT{p10.x - 40, p10.y - 100}));
    EXPECT_EQ(Pos(P(0, 0)), (POINT{c00.x - S(), c00.y - S()}));

    // Ctrl held while the window loses the focus is forgotten: the next click replaces.
    Send(WM_KEYDOWN, VK_CONTROL);
    Send(WM_KILLFOCUS);
    ClickPiece(P(0, 1));
    EXPECT_EQ(Selection(), (std::vector<CPieceGroup*>{G(0, 1)}));
}

TEST_F(PlayMouseTest, ABandDrawnBackwardsSelectsWholePiecesInside) {
    // The two leftmost pieces of the spread-out row.
    std::vector<CPiece*> row;
    for (const auto& piece : g_puzzle->pieces)
        row.push_back(piece.get());
    std::sort(row.begin(), row.end(), [](const CPiece* a, const CPiece* b) { return a->x < b->x; });
    const CPiece* a = row[0];
    const CPiece* b = row[1];
    ClickPiece(row[4]);
    const int half = S() / 2;
    const int l = a->x + half - 5, t = std::min(a->y, b->y) + half - 5;
    const int r = b->x + 3 * half + 5, bottom = std::max(a->y, b->y) + 3 * half + 5;

    // From the bottom right to the top left; the press on empty board drops the old selection.
    Press(r, bottom);
    EXPECT_TRUE(g_puzzle->selection.Empty());
    MoveTo((l + r) / 2, (t + bottom) / 2);
    MoveTo(l, t);
    EXPECT_TRUE(g_puzzle->selection.Empty()) << "the band selects on release";
    Release(l, t);
    ASSERT_EQ(g_puzzle->selection.Size(), 2u);
    EXPECT_TRUE(a->group->selected && b->group->selected);
}

TEST_F(PlayMouseTest, HoldingAPieceAtAnEdgeScrollsOnTheTimerAndTheWheelScrollsByNotches) {
    const int sx = ScrollX(), sy = ScrollY();
    CPiece* piece = P(0, 0);
    const POINT c = Centre(piece);
    const int x0 = piece->x;
    Press(c.x, c.y);
    // Ten pixels from the right edge: the move alone leaves the piece, each tick scrolls 20.
    const LPARAM nearRight = MakeMouseLParam(ViewWidth() - 10, c.y - sy);
    Send(WM_MOUSEMOVE, MK_LBUTTON, nearRight);
    EXPECT_EQ(piece->x, x0);
    platform->FireTimer(0);
    platform->FireTimer(0);
    platform->FireTimer(0);
    EXPECT_EQ(ScrollX(), sx + 60);
    EXPECT_EQ(platform->scrollPositions[SB_HORZ], sx + 60);
    EXPECT_EQ(piece->x, sx + 60 + ViewWidth() - 10 - S()) << "the piece stays under the mouse";
    // Near the bottom (above the status bar) the view goes down instead.
    Send(WM_MOUSEMOVE, MK_LBUTTON, MakeMouseLParam(400, ViewHeight() - 10));
    platform->FireTimer(0);
    EXPECT_EQ(ScrollY(), sy + 20);
    EXPECT_EQ(piece->y, sy + 20 + ViewHeight() - 10 - S());
    // The wheel waits while pieces are held.
    Send(WM_MOUSEWHEEL, MakeWheelWParam(0, 120), 0);
    EXPECT_EQ(ScrollY(), sy + 20);
    Send(WM_LBUTTONUP, 0, MakeMouseLParam(400, ViewHeight() - 10));
    platform->FireTimer(0);
    EXPECT_EQ(ScrollY(), sy + 20) << "no scrolling once the piece is dropped";

    const int presents = platform->presentCount;
    Send(WM_MOUSEWHEEL, MakeWheelWParam(MK_CONTROL, 120), 0);
    EXPECT_EQ(ScrollX(), sx + 100);
    Send(WM_MOUSEWHEEL, MakeWheelWParam(MK_SHIFT, -120), 0);
    EXPECT_EQ(ScrollX(), sx + 60);
    Send(WM_MOUSEWHEEL, MakeWheelWParam(MK_CONTROL | MK_SHIFT, 120), 0);
    EXPECT_EQ(ScrollX(), sx + 60) << "both keys scroll up, not sideways";
    EXPECT_EQ(ScrollY(), sy - 20);
    Send(WM_MOUSEWHEEL, MakeWheelWParam(0, -240), 0);
    EXPECT_EQ(ScrollY(), sy + 60);
    Send(WM_MOUSEWHEEL, MakeWheelWParam(0, 119), 0);
    Send(WM_MOUSEWHEEL, MakeWheelWParam(MK_CONTROL, -119), 0);
    EXPECT_EQ(ScrollY(), sy + 60) << "less than a notch scrolls nothing";
    EXPECT_EQ(ScrollX(), sx + 60);
    EXPECT_EQ(platform->scrollPositions[SB_VERT], sy + 60);
    EXPECT_GE(platform->presentCount, presents + 4) << "every scroll is drawn";

    // Presses still land on the pieces under them in the scrolled view.
    const POINT c11 = Centre(P(1, 1));
    Drag(c11, 15, 25);
    EXPECT_EQ(g_puzzle->selection.Head(), G(1, 1));
    EXPECT_EQ(Pos(P(1, 1)), (POINT{c11.x + 15 - S(), c11.y + 25 - S()}));
}

} // namespace
