// Menu commands in the middle of a game: auto-arrange, reset, and what a load ignores; and
// completion, which only a join announces.
#include "support/GameFixture.h"

namespace {

using PlayCommandsTest = GameFixture;

// A three by two puzzle arranged and solved by dragging is announced once; a reset asks first,
// and Cancel keeps the finished game, which is not announced again.
TEST_F(PlayCommandsTest, ArrangedSolvedThenResetAnnouncedOnce) {
    ASSERT_NO_FATAL_FAILURE(Load(96, 64));
    ASSERT_EQ(std::pair(S(), g_puzzle->cols * g_puzzle->rows), std::pair(32, 6));
    for (int i = 0; i < 125; ++i) // two minutes and five seconds of play
        platform->FireTimer(1);
    ASSERT_NO_FATAL_FAILURE(SpreadOut());
    for (int placed = 1; placed <= 6; ++placed) {
        const int c = (placed - 1) % 3, r = (placed - 1) / 3;
        DragToAssembly(c, r);
        EXPECT_EQ(Pos(P(c, r)), AssemblyPlace(c, r));
        if (placed < 2) continue;
        EXPECT_EQ(std::tuple(P(c, r)->group, platform->soundsPlayed.size(), platform->statusTexts[3],
                             platform->messageBoxes.size()),
                  std::tuple(P(0, 0)->group, placed - 1u, " Loose Pieces: " + std::to_string(6 - placed),
                             placed / 6u))
            << c << "," << r;
        if (placed != 2) continue;
        EXPECT_EQ(platform->statusTexts[4], "  17 percent Completed");
        // Arranging lays the four loose pieces along the top of the picture area in the middle of
        // the board, a cell and a quarter apart, and leaves the joined pair where it is.
        g_puzzle->positionChanged = 0;
        Command(ID_OPTIONS_AUTOARRANGE);
        std::set<std::pair<int, int>> spots;
        for (const CPieceGroup* group : g_puzzle->groups)
            if (group->pieces.Size() == 1) spots.insert({group->x, group->y});
        const int left = 2500 - 48, y = 2500 - 32 + 16 - 64 - 8;
        EXPECT_EQ(spots, (std::set<std::pair<int, int>>{
                             {left - 16, y}, {left + 24, y}, {left + 64, y}, {left + 104, y}}));
        EXPECT_EQ(
            std::tuple(Pos(P(0, 0)), Pos(P(1, 0)), g_puzzle->selection.Size(), g_puzzle->positionChanged),
            std::tuple(AssemblyPlace(0, 0), AssemblyPlace(1, 0), 0u, 1));
    }
    EXPECT_EQ(platform->statusTexts[4], " 100 percent Completed");
    ASSERT_EQ(platform->messageBoxes.size(), 1u);
    EXPECT_EQ(std::tuple(platform->messageBoxes[0].text, platform->messageBoxes[0].caption,
                         platform->messageBoxes[0].style, platform->cursorConfined),
              std::tuple("You completed this puzzle in 0 hours and 2 minutes.", "Well Done!", MB_OK, false))
        << "six pieces have no target time";
    EXPECT_EQ(platform->soundsPlayed, std::vector<std::string>(5, g_tempDirectory + "temp1"));
    // The clock stopped at the last join.
    platform->FireTimer(1);
    EXPECT_EQ(std::pair(g_clock->stopped.load(), g_clock->seconds), std::pair(true, 125u));

    const auto origins = Origins();
    CPiece* const firstPiece = P(0, 0);

    platform->messageBoxAnswers.push_back(IDCANCEL);
    Command(ID_FILE_RESETJIGSAW);
    ASSERT_EQ(platform->messageBoxes.size(), 2u);
    EXPECT_EQ(platform->messageBoxes[1].caption, "Save position?");
    EXPECT_EQ(std::tuple(Loading(), Origins(), P(0, 0), g_clock->seconds, g_clock->stopped.load()),
              std::tuple(false, origins, firstPiece, 125u, true));

    // No: cut afresh, the clock back to nought and running again once the pieces are out.
    platform->messageBoxAnswers.push_back(IDNO);
    Command(ID_FILE_RESETJIGSAW);
    EXPECT_EQ(std::tuple(platform->messageBoxes.size(), Loading(), g_clock->seconds),
              std::tuple(3u, true, 0u));
    ASSERT_TRUE(PumpUntilLoaded());
    EXPECT_EQ(std::tuple(g_puzzle->groups.Size(), g_puzzle->positionChanged, platform->statusTexts[4],
                         platform->messageBoxes.size()),
              std::tuple(6u, 0, "   0 percent Completed", 3u));
    for (const CPieceGroup* group : g_puzzle->groups)
        EXPECT_EQ(group->pieces.Size(), 1u);
    platform->FireTimer(1);
    EXPECT_EQ(g_clock->seconds, 1u);
}

TEST_F(PlayCommandsTest, APuzzleWholeWithoutAJoinIsNeverAnnounced) {
    // A picture of exactly one cell: one piece, whole from the start.
    ASSERT_NO_FATAL_FAILURE(Load(32, 32));
    ASSERT_EQ(g_puzzle->pieces.size(), 1u);
    EXPECT_FALSE(g_clock->stopped.load());
    const POINT c = Centre(P(0, 0));
    Drag(c, 25, 25);
    EXPECT_EQ(P(0, 0)->x, c.x + 25 - S());
    EXPECT_TRUE(platform->messageBoxes.empty() && platform->soundsPlayed.empty());
}

TEST_F(PlayCommandsTest, TheBoardIgnoresThePlayerWhileALoadRunsAndAResetEndsAPress) {
    platform->settingsDwords["userotation"] = 1;
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
    // Moving with no button held draws no band, and the next click selects only its piece.
    Send(WM_MOUSEMOVE, 0, At(l + 200, t + 200));
    EXPECT_FALSE(g_puzzle->mouse->BandComplete());
    ASSERT_NO_FATAL_FAILURE(SpreadOut(true));
    CPiece* held = P(0, 0);
    ClickPiece(held);
    ASSERT_EQ(std::vector<CPieceGroup*>(g_puzzle->selection.begin(), g_puzzle->selection.end()),
              std::vector<CPieceGroup*>{held->group});
    platform->soundsPlayed.clear();
    g_puzzle->positionChanged = 0;
    const auto origins = Origins();
    const auto still = std::tuple(ScrollX(), ScrollY(), g_clock->seconds, 0, false, 0u, 0u);
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
    EXPECT_EQ(std::vector<CPieceGroup*>(g_puzzle->selection.begin(), g_puzzle->selection.end()),
              std::vector<CPieceGroup*>{held->group});
    for (const auto& piece : g_puzzle->pieces)
        EXPECT_TRUE(piece->rotation == 0 && piece->images[0]);
    EXPECT_EQ(std::tuple(ScrollX(), ScrollY(), g_clock->seconds, g_puzzle->positionChanged,
                         platform->cursorConfined, platform->soundsPlayed.size(),
                         platform->messageBoxes.size()),
              still);
    // Once loaded, the same key turns the piece still selected.
    Space();
    EXPECT_EQ(held->rotation, 1);

    // A reset while a piece is held, and the board held with the right button, ends both.
    const POINT c = Centre(held);
    Press(c.x, c.y);
    MoveTo(c.x + 30, c.y);
    Send(WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, At(c.x + 30, c.y));
    platform->messageBoxAnswers.push_back(IDNO);
    Command(ID_FILE_RESETJIGSAW);
    ASSERT_TRUE(Loading());
    Release(c.x + 30, c.y);
    Send(WM_RBUTTONUP, 0, At(c.x + 30, c.y));
    ASSERT_TRUE(PumpUntilLoaded());
    EXPECT_EQ(
        std::tuple(g_puzzle->mouse->dragging, g_puzzle->mouse->RightDragging(), platform->cursorConfined),
        std::tuple(0, false, false));
    const int sx = ScrollX(), sy = ScrollY();
    Send(WM_MOUSEMOVE, 0, At(c.x - 100, c.y - 100));
    EXPECT_EQ(std::pair(ScrollX(), ScrollY()), std::pair(sx, sy))
        << "the board does not follow a button no longer held";
}

} // namespace
