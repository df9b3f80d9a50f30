// Menu commands in the middle of a game: auto-arrange, reset, and what a load ignores; and
// completion, which only a join announces.
#include "support/GameFixture.h"

namespace {

using PlayCommandsTest = GameFixture;

TEST_F(PlayCommandsTest, AutoArrangeLaysOutTheLoosePiecesAndLeavesJoinedOnes) {
    ASSERT_NO_FATAL_FAILURE(Load(96, 64));
    ASSERT_NO_FATAL_FAILURE(SpreadOut());
    DragPieceTo(P(0, 0), AssemblyPlace(0, 0).x, AssemblyPlace(0, 0).y);
    DragPieceTo(P(1, 0), AssemblyPlace(1, 0).x, AssemblyPlace(1, 0).y);
    ASSERT_EQ(P(1, 0)->group, P(0, 0)->group);
    g_puzzle->positionChanged = 0;

    Command(ID_OPTIONS_AUTOARRANGE);
    // Four loose pieces along the top of the 96 x 64 picture area in the middle of the board:
    // the first cell at its left edge one step above it, a cell and a quarter apart.
    std::set<std::pair<int, int>> spots;
    for (const CPieceGroup* group : g_puzzle->groups)
        if (group->pieces.Size() == 1) spots.insert({group->x, group->y});
    const int left = 2500 - 48, y = 2500 - 32 + 16 - 64 - 8;
    EXPECT_EQ(spots, (std::set<std::pair<int, int>>{
                         {left - 16, y}, {left + 24, y}, {left + 64, y}, {left + 104, y}}));
    EXPECT_EQ(Pos(P(0, 0)), AssemblyPlace(0, 0));
    EXPECT_EQ(Pos(P(1, 0)), AssemblyPlace(1, 0));
    EXPECT_TRUE(g_puzzle->selection.Empty());
    EXPECT_EQ(g_puzzle->positionChanged, 1);
    EXPECT_EQ(platform->statusTexts[3], " Loose Pieces: 4") << "arranging joins nothing";
}

TEST_F(PlayCommandsTest, ResetAsksFirstAndCancelKeepsTheFinishedGameWhichIsNotAnnouncedAgain) {
    ASSERT_NO_FATAL_FAILURE(Load(96, 64));
    for (int i = 0; i < 30; ++i)
        platform->FireTimer(1);
    ASSERT_NO_FATAL_FAILURE(SpreadOut());
    ASSERT_NO_FATAL_FAILURE(Assemble());
    ASSERT_EQ(WellDoneBoxes(), 1u);
    const auto origins = Origins();
    CPiece* const firstPiece = P(0, 0);

    platform->messageBoxAnswers.push_back(IDCANCEL);
    Command(ID_FILE_RESETJIGSAW);
    ASSERT_EQ(platform->messageBoxes.size(), 2u);
    EXPECT_EQ(platform->messageBoxes[1].caption, "Save position?");
    EXPECT_FALSE(Loading());
    EXPECT_EQ(Origins(), origins);
    EXPECT_EQ(P(0, 0), firstPiece);
    EXPECT_EQ(g_clock->seconds, 30u);
    EXPECT_TRUE(g_clock->stopped);

    // New piece images finish a load again; the puzzle stays whole, unannounced, and moves whole.
    g_puzzle->bevellevel = 3;
    g_puzzle->RebuildPieceImages();
    ASSERT_TRUE(PumpUntilLoaded());
    EXPECT_EQ(platform->messageBoxes.size(), 2u);
    EXPECT_EQ(platform->statusTexts[4], " 100 percent Completed");
    Drag(Centre(P(1, 1)), -20, 10);
    EXPECT_EQ(P(0, 0)->x, AssemblyPlace(0, 0).x - 20);
    EXPECT_EQ(platform->messageBoxes.size(), 2u);

    // No: cut afresh, the clock back to nought and running again once the pieces are out.
    platform->messageBoxAnswers.push_back(IDNO);
    Command(ID_FILE_RESETJIGSAW);
    EXPECT_EQ(platform->messageBoxes.size(), 3u);
    EXPECT_TRUE(Loading());
    EXPECT_EQ(g_clock->seconds, 0u);
    ASSERT_TRUE(PumpUntilLoaded());
    EXPECT_EQ(g_puzzle->groups.Size(), 6u);
    for (const CPieceGroup* group : g_puzzle->groups)
        EXPECT_EQ(group->pieces.Size(), 1u);
    EXPECT_EQ(g_puzzle->positionChanged, 0);
    EXPECT_EQ(platform->statusTexts[4], "   0 percent Completed");
    EXPECT_EQ(WellDoneBoxes(), 1u);
    platform->FireTimer(1);
    EXPECT_EQ(g_clock->seconds, 1u);
}

TEST_F(PlayCommandsTest, APuzzleWholeWithoutAJoinIsNeverAnnounced) {
    // A picture of exactly one cell: one piece, whole from the start.
    ASSERT_NO_FATAL_FAILURE(Load(32, 32));
    ASSERT_EQ(g_puzzle->pieces.size(), 1u);
    EXPECT_FALSE(g_clock->stopped);
    const POINT c = Centre(P(0, 0));
    Drag(c, 25, 25);
    EXPECT_EQ(P(0, 0)->x, c.x + 25 - S());
    EXPECT_TRUE(platform->messageBoxes.empty());
    EXPECT_TRUE(platform->soundsPlayed.empty());
}

TEST_F(PlayCommandsTest, TheBoardIgnoresThePlayerWhileALoadRuns) {
    platform->settingsDwords["userotation"] = 1;
    ASSERT_NO_FATAL_FAILURE(Load(96, 64));
    ASSERT_NO_FATAL_FAILURE(SpreadOut(true));
    CPiece* held = P(0, 0);
    ClickPiece(held);
    ASSERT_EQ(g_puzzle->selection.Head(), held->group);
    platform->soundsPlayed.clear();
    g_puzzle->positionChanged = 0;
    const auto origins = Origins();
    const int sx = ScrollX(), sy = ScrollY();
    const std::uint32_t seconds = g_clock->seconds;
    const int presents = platform->presentCount;

    // New piece images are made on the worker; the pieces stay on the board meanwhile, and
    // so does the last frame.
    g_puzzle->bevellevel = 2;
    g_puzzle->RebuildPieceImages();
    ASSERT_TRUE(Loading());
    Send(WM_PAINT);
    EXPECT_EQ(platform->presentCount, presents);
    const POINT other = Centre(P(2, 1));
    Drag(other, 100, -100);
    Send(WM_RBUTTONDOWN, MK_RBUTTON, At(other.x, other.y));
    Send(WM_MOUSEMOVE, MK_RBUTTON, At(other.x - 50, other.y - 50));
    Send(WM_RBUTTONUP, 0, At(other.x - 50, other.y - 50));
    Space();
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, At(other.x, other.y));
    Send(WM_MOUSEWHEEL, MakeWheelWParam(0, 240), 0);
    Send(WM_KEYDOWN, VK_CONTROL);
    platform->FireTimer(0);
    Command(ID_OPTIONS_AUTOARRANGE);
    Command(ID_FILE_RESETJIGSAW);
    EXPECT_EQ(g_mainApp->ctrlDown, 0);
    EXPECT_TRUE(Loading());

    ASSERT_TRUE(PumpUntilLoaded());
    EXPECT_GT(platform->presentCount, presents);
    EXPECT_EQ(Origins(), origins);
    EXPECT_EQ(g_puzzle->selection.Size(), 1u);
    EXPECT_EQ(g_puzzle->selection.Head(), held->group);
    for (const auto& piece : g_puzzle->pieces) {
        EXPECT_EQ(piece->rotation, 0);
        EXPECT_NE(piece->images[0], nullptr);
    }
    EXPECT_EQ(ScrollX(), sx);
    EXPECT_EQ(ScrollY(), sy);
    EXPECT_TRUE(platform->soundsPlayed.empty());
    EXPECT_TRUE(platform->messageBoxes.empty());
    EXPECT_EQ(g_puzzle->positionChanged, 0);
    EXPECT_EQ(g_clock->seconds, seconds);
    EXPECT_FALSE(platform->cursorConfined);

    // Once loaded, the same key turns the piece still selected.
    Space();
    EXPECT_EQ(held->rotation, 1);
}

TEST_F(PlayCommandsTest, AResetWhileAButtonIsHeldEndsThePress) {
    ASSERT_NO_FATAL_FAILURE(Load(96, 64));
    const int l = ScrollX() + 30, t = ScrollY() + 30;
    // A band is open when Ctrl+R comes; its release arrives during the cut and is ignored.
    Press(l, t);
    MoveTo(l + 400, t + 300);
    Command(ID_FILE_RESETJIGSAW);
    ASSERT_TRUE(Loading());
    EXPECT_TRUE(platform->messageBoxes.empty()) << "an unchanged position is not offered for saving";
    EXPECT_FALSE(platform->cursorConfined) << "the pointer is not held to the board through a load";
    Release(l + 400, t + 300);
    ASSERT_TRUE(PumpUntilLoaded());
    EXPECT_EQ(g_puzzle->mouse->rubberBanding, 0);
    // Moving with no button held draws no band, and the next drag selects only its piece.
    Send(WM_MOUSEMOVE, 0, At(l + 200, t + 200));
    EXPECT_FALSE(g_puzzle->mouse->BandComplete());
    ASSERT_NO_FATAL_FAILURE(SpreadOut());
    DragPieceTo(P(0, 0), AssemblyPlace(0, 0).x, AssemblyPlace(0, 0).y);
    EXPECT_EQ(g_puzzle->selection.Size(), 1u);

    // The same for a piece held, and for the board held with the right button.
    const POINT c = Centre(P(0, 0));
    Press(c.x, c.y);
    MoveTo(c.x + 30, c.y);
    Send(WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, At(c.x + 30, c.y));
    platform->messageBoxAnswers.push_back(IDNO);
    Command(ID_FILE_RESETJIGSAW);
    ASSERT_TRUE(Loading());
    Release(c.x + 30, c.y);
    Send(WM_RBUTTONUP, 0, At(c.x + 30, c.y));
    ASSERT_TRUE(PumpUntilLoaded());
    EXPECT_EQ(g_puzzle->mouse->dragging, 0);
    EXPECT_FALSE(g_puzzle->mouse->RightDragging());
    EXPECT_FALSE(platform->cursorConfined);
    const int sx = ScrollX(), sy = ScrollY();
    Send(WM_MOUSEMOVE, 0, At(c.x - 100, c.y - 100));
    EXPECT_EQ(ScrollX(), sx) << "the board does not follow a button no longer held";
    EXPECT_EQ(ScrollY(), sy);
}

} // namespace
