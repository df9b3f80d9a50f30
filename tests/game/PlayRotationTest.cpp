// Turning pieces with the space bar and the double click, with rotation on and off.
#include "PlayWindow.h"

namespace {

class PlayRotationTest : public PlayWindow {
  protected:
    void LoadTurning(bool on) {
        platform->settingsDwords["userotation"] = on ? 1 : 0;
        ASSERT_NO_FATAL_FAILURE(Load(96, 64));
        ASSERT_EQ(g_puzzle->userotation, on ? 1 : 0);
    }

    // A double click as the system delivers it: press, release, double click, release.
    void DoubleClick(int bx, int by) {
        Send(WM_LBUTTONDOWN, MK_LBUTTON, At(bx, by));
        Send(WM_LBUTTONUP, 0, At(bx, by));
        Send(WM_LBUTTONDBLCLK, MK_LBUTTON, At(bx, by));
        Send(WM_LBUTTONUP, 0, At(bx, by));
    }
};

TEST_F(PlayRotationTest, SpaceAndDoubleClickTurnTheHeldPieceAQuarterAtATime) {
    ASSERT_NO_FATAL_FAILURE(LoadTurning(true));
    int turned = 0;
    for (const auto& piece : g_puzzle->pieces) {
        for (int r = 0; r < 4; ++r)
            EXPECT_NE(piece->images[r], nullptr) << "every turn has its image";
        turned += piece->rotation != 0;
    }
    EXPECT_GT(turned, 0) << "pieces are cut at random quarter turns";
    platform->FireTimer(1);
    EXPECT_EQ(platform->statusTexts[5], " Piece rotation: enabled");
    ASSERT_NO_FATAL_FAILURE(SpreadOut());

    CPiece* piece = P(1, 0);
    const int start = piece->rotation;
    const POINT origin{piece->x, piece->y};
    Click(Centre(piece).x, Centre(piece).y);
    platform->soundsPlayed.clear();
    const std::vector<std::uint32_t> upright = FrameUnder(piece);
    Space();
    EXPECT_EQ(piece->rotation, (start + 1) % 4);
    EXPECT_EQ((POINT{piece->x, piece->y}), origin) << "a piece turns about its own cell";
    EXPECT_NE(FrameUnder(piece), upright) << "the turned image is drawn at once";
    Space();
    Space();
    Space();
    EXPECT_EQ(piece->rotation, start);
    EXPECT_EQ(FrameUnder(piece), upright);
    EXPECT_EQ(platform->soundsPlayed, std::vector<std::string>(4, platform->tempDir + "temp2"));

    // The press of a double click picks the other piece alone; the double click turns it.
    CPiece* other = P(0, 1);
    const int otherStart = other->rotation;
    DoubleClick(Centre(other).x, Centre(other).y);
    EXPECT_EQ(other->rotation, (otherStart + 1) % 4);
    EXPECT_EQ(piece->rotation, start);
    EXPECT_EQ(platform->soundsPlayed.size(), 5u);
}

TEST_F(PlayRotationTest, TurnedPiecesJoinOnlyUprightAndAFinishedGroupTurnsWhole) {
    ASSERT_NO_FATAL_FAILURE(LoadTurning(true));
    ASSERT_NO_FATAL_FAILURE(SpreadOut(true));
    for (const auto& piece : g_puzzle->pieces)
        ASSERT_EQ(piece->rotation, 0);

    const POINT first = AssemblyPlace(0, 0);
    const POINT second = AssemblyPlace(1, 0);
    DragPieceTo(P(0, 0), first.x, first.y);
    // Turned a quarter away from its neighbour, a piece dropped in its place stays apart.
    Click(Centre(P(1, 0)).x, Centre(P(1, 0)).y);
    Space();
    DragPieceTo(P(1, 0), second.x, second.y);
    EXPECT_NE(P(1, 0)->group, P(0, 0)->group);
    // Turned upright it still waits for a drop; a click without moving drops it.
    Space();
    Space();
    Space();
    EXPECT_NE(P(1, 0)->group, P(0, 0)->group);
    Click(Centre(P(1, 0)).x, Centre(P(1, 0)).y);
    EXPECT_EQ(P(1, 0)->group, P(0, 0)->group);

    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 3; ++c) {
            if (r == 0 && c < 2) continue;
            const POINT place = AssemblyPlace(c, r);
            DragPieceTo(P(c, r), place.x, place.y);
        }
    }
    ASSERT_EQ(BoxesCaptioned("Well Done!"), 1u);

    // The whole picture turns about its reference piece; four turns bring it back.
    const CPieceGroup* whole = P(0, 0)->group;
    Click(Centre(P(2, 1)).x, Centre(P(2, 1)).y);
    ASSERT_EQ(g_puzzle->selection.Head(), whole);
    Space();
    EXPECT_EQ((POINT{P(0, 0)->x, P(0, 0)->y}), first);
    EXPECT_EQ((POINT{P(1, 0)->x, P(1, 0)->y}), (POINT{first.x, first.y + S()})) << "the row now runs down";
    EXPECT_EQ((POINT{P(0, 1)->x, P(0, 1)->y}), (POINT{first.x - S(), first.y}));
    Space();
    Space();
    Space();
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(P(c, r)->rotation, 0);
            EXPECT_EQ((POINT{P(c, r)->x, P(c, r)->y}), AssemblyPlace(c, r)) << c << "," << r;
        }
    }
    EXPECT_EQ(BoxesCaptioned("Well Done!"), 1u) << "turning announces nothing";
}

TEST_F(PlayRotationTest, WithRotationOffNothingTurns) {
    ASSERT_NO_FATAL_FAILURE(LoadTurning(false));
    for (const auto& piece : g_puzzle->pieces) {
        EXPECT_EQ(piece->rotation, 0);
        EXPECT_NE(piece->images[0], nullptr);
    }
    platform->FireTimer(1);
    EXPECT_EQ(platform->statusTexts[5], " Piece rotation: disabled");

    // A band over the whole view selects every piece without touching the position.
    const int l = ScrollX() + 30, t = ScrollY() + 30;
    const int r = ScrollX() + ViewWidth() - 30, b = ScrollY() + ViewHeight() - 30;
    Press(r, b);
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
