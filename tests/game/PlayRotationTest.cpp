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
};

TEST_F(PlayRotationTest, TurnsAreQuartersAboutTheCellAndTurnedPiecesJoinOnlyAlike) {
    ASSERT_NO_FATAL_FAILURE(LoadTurning(true));
    int turned = 0;
    for (const auto& piece : g_puzzle->pieces)
        turned += piece->rotation != 0;
    EXPECT_GT(turned, 0) << "pieces are cut at random quarter turns";
    ASSERT_NO_FATAL_FAILURE(SpreadOut(true)); // each turned upright with the space bar

    const POINT first = AssemblyPlace(0, 0), second = AssemblyPlace(1, 0);
    DragPieceTo(P(0, 0), first.x, first.y);
    CPiece* piece = P(1, 0);
    const POINT origin = Pos(piece);
    ClickPiece(piece);
    platform->soundsPlayed.clear();
    const std::vector<std::uint32_t> upright = FrameUnder(piece);
    Space();
    EXPECT_EQ(piece->rotation, 1);
    EXPECT_EQ(Pos(piece), origin) << "a piece turns about its own cell";
    EXPECT_NE(FrameUnder(piece), upright) << "the turned image is drawn at once";
    Space();
    Space();
    Space();
    EXPECT_EQ(piece->rotation, 0);
    EXPECT_EQ(FrameUnder(piece), upright);
    EXPECT_EQ(platform->soundsPlayed, std::vector<std::string>(4, platform->tempDir + "temp2"));

    // Turned a quarter away from its neighbour, a piece dropped in its place stays apart;
    // turned upright it still waits for a drop, and a click without moving drops it.
    Space();
    DragPieceTo(piece, second.x, second.y);
    EXPECT_NE(piece->group, P(0, 0)->group);
    Space();
    Space();
    Space();
    EXPECT_NE(piece->group, P(0, 0)->group);
    ClickPiece(piece);
    EXPECT_EQ(piece->group, P(0, 0)->group);

    // The press of a double click picks the other piece alone; the double click turns it.
    const POINT c = Centre(P(0, 1));
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        Send(message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, At(c.x, c.y));
    EXPECT_EQ(P(0, 1)->rotation, 1);
    EXPECT_EQ(piece->rotation, 0);
    Space();
    Space();
    Space();

    // The whole picture turns about its reference piece; four turns bring it back.
    ASSERT_NO_FATAL_FAILURE(Assemble());
    ASSERT_EQ(WellDoneBoxes(), 1u);
    ClickPiece(P(2, 1));
    ASSERT_EQ(g_puzzle->selection.Head(), P(0, 0)->group);
    Space();
    EXPECT_EQ(Pos(P(0, 0)), first);
    EXPECT_EQ(Pos(P(1, 0)), (POINT{first.x, first.y + S()})) << "the row now runs down";
    EXPECT_EQ(Pos(P(0, 1)), (POINT{first.x - S(), first.y}));
    Space();
    Space();
    Space();
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(P(c, r)->rotation, 0);
            EXPECT_EQ(Pos(P(c, r)), AssemblyPlace(c, r)) << c << "," << r;
        }
    }
    EXPECT_EQ(WellDoneBoxes(), 1u) << "turning announces nothing";
}

TEST_F(PlayRotationTest, WithRotationOffNothingTurns) {
    ASSERT_NO_FATAL_FAILURE(LoadTurning(false));
    for (const auto& piece : g_puzzle->pieces)
        EXPECT_EQ(piece->rotation, 0);

    // A band over the whole view selects every piece without touching the position.
    const int l = ScrollX() + 30, t = ScrollY() + 30;
    Press(ScrollX() + ViewWidth() - 30, ScrollY() + ViewHeight() - 30);
    MoveTo(l, t);
    Release(l, t);
    ASSERT_EQ(g_puzzle->selection.Size(), 6u);
    ASSERT_EQ(g_puzzle->positionChanged, 0);

    const auto origins = Origins();
    const std::vector<std::uint8_t> frame = platform->lastFrame;
    Space();
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, At(l, t));
    for (const auto& piece : g_puzzle->pieces)
        EXPECT_EQ(piece->rotation, 0);
    EXPECT_EQ(Origins(), origins);
    EXPECT_EQ(platform->lastFrame, frame);
    EXPECT_TRUE(platform->soundsPlayed.empty());
    EXPECT_EQ(g_puzzle->positionChanged, 0);
}

} // namespace
