// Selecting, turning and scrolling through the window: the space bar and the double click,
// bands, Ctrl-clicks, scrolling at the window edge while holding pieces, and the wheel.
#include "support/GameFixture.h"

#include <algorithm>

namespace {

class PlayMouseTest : public GameFixture {
  protected:
    static CPieceGroup* G(int c, int r) { return P(c, r)->group; }
    static std::vector<CPieceGroup*> Selection() {
        return std::vector<CPieceGroup*>(g_puzzle->selection.begin(), g_puzzle->selection.end());
    }
    static std::vector<std::pair<int, int>> SortedOrigins() {
        auto origins = Origins();
        std::sort(origins.begin(), origins.end());
        return origins;
    }
    // The frame's pixels over a piece's whole image square.
    std::vector<std::uint32_t> FrameUnder(const CPiece* piece) const {
        std::vector<std::uint32_t> pixels;
        for (int i = 0; i < 4 * S() * S(); ++i)
            pixels.push_back(FramePixel(piece->x + i % (2 * S()), piece->y + i / (2 * S())));
        return pixels;
    }
    static std::vector<int> Rotations() {
        std::vector<int> turns;
        for (const auto& piece : g_puzzle->pieces)
            turns.push_back(piece->rotation);
        return turns;
    }
};

TEST_F(PlayMouseTest, TurnsBandsCtrlClicksAndHeldPiecesScrollingAtTheEdge) {
    platform->settingsDwords["userotation"] = 1;
    ASSERT_NO_FATAL_FAILURE(Load(96, 64));
    EXPECT_NE(Rotations(), std::vector<int>(6, 0)) << "pieces are cut at random quarter turns";
    ASSERT_NO_FATAL_FAILURE(SpreadOut(true)); // each turned upright with the space bar

    CPiece* turned = P(1, 0);
    const POINT origin = Pos(turned);
    ClickPiece(turned);
    platform->soundsPlayed.clear();
    const std::vector<std::uint32_t> upright = FrameUnder(turned);
    Space();
    EXPECT_EQ(std::pair(turned->rotation, Pos(turned)), std::pair(1, origin))
        << "a piece turns about its own cell";
    EXPECT_NE(FrameUnder(turned), upright) << "the turned image is drawn at once";
    Space(3);
    EXPECT_EQ(turned->rotation, 0);
    EXPECT_EQ(FrameUnder(turned), upright);
    EXPECT_EQ(platform->soundsPlayed, std::vector<std::string>(4, g_tempDirectory + "temp2"));

    // The press of a double click picks the other piece alone; the double click turns it.
    const POINT other = Centre(P(0, 1));
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        Send(message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, At(other.x, other.y));
    EXPECT_EQ(std::pair(P(0, 1)->rotation, turned->rotation), std::pair(1, 0));

    // Rotation off: a band drawn backwards over the whole view selects every piece on release,
    // without touching the position, and nothing turns.
    g_puzzle->userotation = 0;
    const int l = ScrollX() + 30, t = ScrollY() + 30;
    Press(ScrollX() + ViewWidth() - 30, ScrollY() + ViewHeight() - 30);
    EXPECT_TRUE(g_puzzle->selection.Empty()) << "a press on empty board drops the old selection";
    MoveTo(l, t);
    EXPECT_TRUE(g_puzzle->selection.Empty()) << "the band selects on release";
    Release(l, t);
    ASSERT_EQ(g_puzzle->selection.Size(), 6u);
    g_puzzle->positionChanged = 0;
    platform->soundsPlayed.clear();
    const auto before = std::tuple(Rotations(), Origins(), platform->lastFrame);
    Space();
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, At(l, t));
    EXPECT_EQ(std::tuple(Rotations(), Origins(), platform->lastFrame), before);
    EXPECT_EQ(std::pair(platform->soundsPlayed.size(), g_puzzle->positionChanged),
              std::pair(std::size_t{0}, 0));

    // A click on empty board drops the selection; a click on a piece selects it alone.
    Press(l, t);
    Release(l, t);
    ClickPiece(P(0, 0));
    const auto origins = SortedOrigins();
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
    EXPECT_EQ(SortedOrigins(), origins) << "Ctrl-clicks without moving leave every piece where it was";

    // Pressing a selected piece drags the whole selection, offsets kept.
    const POINT p10 = Pos(P(1, 0)), p20 = Pos(P(2, 0));
    Drag(Centre(P(2, 0)), -40, -100);
    EXPECT_EQ(std::tuple(Pos(P(2, 0)), Pos(P(1, 0)), Pos(P(0, 0))),
              std::tuple(POINT{p20.x - 40, p20.y - 100}, POINT{p10.x - 40, p10.y - 100},
                         POINT{c00.x - S(), c00.y - S()}));

    // Ctrl held while the window loses the focus is forgotten: the next click replaces.
    Send(WM_KEYDOWN, VK_CONTROL);
    Send(WM_KILLFOCUS);
    ClickPiece(P(0, 1));
    EXPECT_EQ(Selection(), (std::vector<CPieceGroup*>{G(0, 1)}));

    // Holding a piece at an edge scrolls on the timer; the wheel scrolls by notches.
    const int sx = ScrollX(), sy = ScrollY();
    CPiece* piece = P(0, 0);
    const POINT c = Centre(piece);
    const int x0 = piece->x;
    Press(c.x, c.y);
    // Ten pixels from the right edge: the move alone leaves the piece, each tick scrolls 20.
    Send(WM_MOUSEMOVE, MK_LBUTTON, MakeMouseLParam(ViewWidth() - 10, c.y - sy));
    EXPECT_EQ(piece->x, x0);
    for (int i = 0; i < 3; ++i)
        platform->FireTimer(0);
    EXPECT_EQ(std::tuple(ScrollX(), platform->scrollPositions[SB_HORZ], piece->x),
              std::tuple(sx + 60, sx + 60, sx + 60 + ViewWidth() - 10 - S()))
        << "the piece stays under the mouse";
    // Near the bottom (above the status bar) the view goes down instead.
    Send(WM_MOUSEMOVE, MK_LBUTTON, MakeMouseLParam(400, ViewHeight() - 10));
    platform->FireTimer(0);
    EXPECT_EQ(std::pair(ScrollY(), piece->y), std::pair(sy + 20, sy + 20 + ViewHeight() - 10 - S()));
    // The wheel waits while pieces are held, and nothing scrolls once the piece is dropped.
    Send(WM_MOUSEWHEEL, MakeWheelWParam(0, 120), 0);
    EXPECT_EQ(ScrollY(), sy + 20);
    Send(WM_LBUTTONUP, 0, MakeMouseLParam(400, ViewHeight() - 10));
    platform->FireTimer(0);
    EXPECT_EQ(ScrollY(), sy + 20);

    // Ctrl and Shift scroll sideways, both keys up; less than a notch scrolls nothing.
    const int presents = platform->presentCount;
    const struct {
        WPARAM keys;
        int delta, x, y;
    } wheel[] = {{MK_CONTROL, 120, sx + 100, sy + 20},
                 {MK_SHIFT, -120, sx + 60, sy + 20},
                 {MK_CONTROL | MK_SHIFT, 120, sx + 60, sy - 20},
                 {0, -240, sx + 60, sy + 60},
                 {0, 119, sx + 60, sy + 60},
                 {MK_CONTROL, -119, sx + 60, sy + 60}};
    for (const auto& w : wheel) {
        Send(WM_MOUSEWHEEL, MakeWheelWParam(w.keys, w.delta), 0);
        EXPECT_EQ(std::pair(ScrollX(), ScrollY()), std::pair(w.x, w.y)) << w.keys << " " << w.delta;
    }
    EXPECT_EQ(platform->scrollPositions[SB_VERT], sy + 60);
    EXPECT_GE(platform->presentCount, presents + 4) << "every scroll is drawn";
}

} // namespace
