// Turning pieces with the space bar and the double click, with rotation on and off.
#include "support/GameFixture.h"

namespace {

class PlayRotationTest : public GameFixture {
  protected:
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

TEST_F(PlayRotationTest, TheSpaceBarAndTheDoubleClickTurnTheSelectionAboutItsCellWhileRotationIsOn) {
    platform->settingsDwords["userotation"] = 1;
    ASSERT_NO_FATAL_FAILURE(Load(96, 64));
    EXPECT_NE(Rotations(), std::vector<int>(6, 0)) << "pieces are cut at random quarter turns";
    ASSERT_NO_FATAL_FAILURE(SpreadOut(true)); // each turned upright with the space bar

    CPiece* piece = P(1, 0);
    const POINT origin = Pos(piece);
    ClickPiece(piece);
    platform->soundsPlayed.clear();
    const std::vector<std::uint32_t> upright = FrameUnder(piece);
    Space();
    EXPECT_EQ(std::pair(piece->rotation, Pos(piece)), std::pair(1, origin))
        << "a piece turns about its own cell";
    EXPECT_NE(FrameUnder(piece), upright) << "the turned image is drawn at once";
    Space(3);
    EXPECT_EQ(piece->rotation, 0);
    EXPECT_EQ(FrameUnder(piece), upright);
    EXPECT_EQ(platform->soundsPlayed, std::vector<std::string>(4, g_tempDirectory + "temp2"));

    // The press of a double click picks the other piece alone; the double click turns it.
    const POINT c = Centre(P(0, 1));
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        Send(message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, At(c.x, c.y));
    EXPECT_EQ(std::pair(P(0, 1)->rotation, piece->rotation), std::pair(1, 0));

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
    EXPECT_EQ(std::pair(platform->soundsPlayed.size(), g_puzzle->positionChanged), std::pair(std::size_t{0}, 0));
}

} // namespace
