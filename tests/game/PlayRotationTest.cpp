// Turning pieces with the space bar and the double click, with rotation on and off.
#include "support/GameFixture.h"

namespace {

class PlayRotationTest : public GameFixture {
  protected:
    void LoadTurning(bool on) {
        platform->settingsDwords["userotation"] = on ? 1 : 0;
        ASSERT_NO_FATAL_FAILURE(Load(96, 64));
        ASSERT_EQ(g_puzzle->userotation, on ? 1 : 0);
    }
    // The frame's pixels over a piece's whole image square.
    std::vector<std::uint32_t> FrameUnder(const CPiece* piece) const {
        std::vector<std::uint32_t> pixels;
        for (int i = 0; i < 4 * S() * S(); ++i)
            pixels.push_back(FramePixel(piece->x + i % (2 * S()), piece->y + i / (2 * S())));
        return pixels;
    }
};

TEST_F(PlayRotationTest, TurnsAreQuartersAboutTheCellAndTurnedPiecesJoinOnlyAlike) {
    ASSERT_NO_FATAL_FAILURE(LoadTurning(true));
    EXPECT_TRUE(std::any_of(g_puzzle->pieces.begin(), g_puzzle->pieces.end(),
                            [](const auto& piece) { return piece->rotation != 0; }))
        << "pieces are cut at random quarter turns";
    ASSERT_NO_FATAL_FAILURE(SpreadOut(true)); // each turned upright with the space bar

    const POINT first = AssemblyPlace(0, 0), second = AssemblyPlace(1, 0);
    DragToAssembly(0, 0);
    CPiece* piece = P(1, 0);
    const POINT origin = Pos(piece);
    ClickPiece(piece);
    platform->soundsPlayed.clear();
    const std::vector<std::uint32_t> upright = FrameUnder(piece);
    Space();
    EXPECT_EQ(std::pair(piece->rotation, Pos(piece)), std::pair(1, origin)) << "a piece turns about its own cell";
    EXPECT_NE(FrameUnder(piece), upright) << "the turned image is drawn at once";
    Space(3);
    EXPECT_EQ(piece->rotation, 0);
    EXPECT_EQ(FrameUnder(piece), upright);
    EXPECT_EQ(platform->soundsPlayed, std::vector<std::string>(4, g_tempDirectory + "temp2"));

    // Turned a quarter away from its neighbour, a piece dropped in its place stays apart;
    // turned upright it still waits for a drop, and a click without moving drops it.
    Space();
    DragPieceTo(piece, second.x, second.y);
    EXPECT_NE(piece->group, P(0, 0)->group);
    Space(3);
    EXPECT_NE(piece->group, P(0, 0)->group);
    ClickPiece(piece);
    EXPECT_EQ(piece->group, P(0, 0)->group);

    // The press of a double click picks the other piece alone; the double click turns it.
    const POINT c = Centre(P(0, 1));
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        Send(message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, At(c.x, c.y));
    EXPECT_EQ(std::pair(P(0, 1)->rotation, piece->rotation), std::pair(1, 0));
    Space(3);

    // The whole picture turns about its reference piece; four turns bring it back.
    for (int i = 0; i < 6; ++i) DragToAssembly(i % 3, i / 3);
    ASSERT_EQ(WellDoneBoxes(), 1u);
    ClickPiece(P(2, 1));
    ASSERT_EQ(g_puzzle->selection.Head(), P(0, 0)->group);
    Space();
    EXPECT_EQ(std::tuple(Pos(P(0, 0)), Pos(P(1, 0)), Pos(P(0, 1))),
              std::tuple(first, POINT{first.x, first.y + S()}, POINT{first.x - S(), first.y}))
        << "the row now runs down";
    Space(3);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(std::pair(P(i % 3, i / 3)->rotation, Pos(P(i % 3, i / 3))), std::pair(0, AssemblyPlace(i % 3, i / 3)));
    EXPECT_EQ(WellDoneBoxes(), 1u) << "turning announces nothing";
}

TEST_F(PlayRotationTest, WithRotationOffNothingTurns) {
    ASSERT_NO_FATAL_FAILURE(LoadTurning(false));
    for (const auto& piece : g_puzzle->pieces)
        EXPECT_EQ(piece->rotation, 0);

    // A band drawn backwards over the whole view selects every piece on release, without
    // touching the position; its press on empty board drops the old selection.
    ClickPiece(P(0, 0));
    const int l = ScrollX() + 30, t = ScrollY() + 30;
    Press(ScrollX() + ViewWidth() - 30, ScrollY() + ViewHeight() - 30);
    EXPECT_TRUE(g_puzzle->selection.Empty());
    MoveTo(l, t);
    EXPECT_TRUE(g_puzzle->selection.Empty()) << "the band selects on release";
    Release(l, t);
    ASSERT_EQ(g_puzzle->selection.Size(), 6u);
    g_puzzle->positionChanged = 0;

    const auto origins = Origins();
    const std::vector<std::uint8_t> frame = platform->lastFrame;
    Space();
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, At(l, t));
    for (const auto& piece : g_puzzle->pieces)
        EXPECT_EQ(piece->rotation, 0);
    EXPECT_EQ(std::tuple(Origins(), platform->lastFrame, platform->soundsPlayed.size(), g_puzzle->positionChanged),
              std::tuple(origins, frame, 0u, 0));
}

} // namespace
