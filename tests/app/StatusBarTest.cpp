#include "AppFixture.h"
#include "app/Commands.h"
#include "app/StatusBarText.h"
#include "pack/CProOptions.h"

using StatusBarTest = AppFixture;

TEST_F(StatusBarTest, PartsSitAtTheirEdgesAndStartAtZero) {
    EXPECT_EQ(platform->statusEdges, (std::vector<int>{10, 74, 176, 282, 405, 528}));
    EXPECT_EQ(Status(0), "");
    ResetPieceCounts();
    EXPECT_EQ(Status(2), " Total Pieces: 0");
    EXPECT_EQ(Status(3), " Loose Pieces: 0");
    EXPECT_EQ(Status(4), "   0 percent Completed");
}

TEST_F(StatusBarTest, ClockTextShowsHoursMinutesSeconds) {
    EXPECT_EQ(FormatClockText(0), " 00:00:00  ");
    EXPECT_EQ(FormatClockText(3725), " 01:02:05  ");
    EXPECT_EQ(FormatClockText(100 * 3600), " 100:00:00  ");
    EXPECT_EQ(FormatClockText(0xFFFFFFFFu), " 1193046:28:15  ");
}

TEST_F(StatusBarTest, ClockShowsTheCountBeforeItAdvances) {
    g_clock->seconds = 3725;
    g_puzzle->userotation = 0;
    UpdateClock();
    EXPECT_EQ(Status(1), " 01:02:05  ");
    EXPECT_EQ(g_clock->seconds, 3726u);
    EXPECT_EQ(Status(5), " Piece rotation: disabled");

    g_puzzle->userotation = 1;
    g_clock->stopped = true;
    UpdateClock();
    UpdateClock();
    EXPECT_EQ(Status(1), " 01:02:06  ");
    EXPECT_EQ(g_clock->seconds, 3726u);
    EXPECT_EQ(Status(5), " Piece rotation: enabled");
}

TEST_F(StatusBarTest, PercentIsRoundedAndRightAligned) {
    EXPECT_EQ(FormatPercentCompleted(99.6f), " 100 percent Completed");
    EXPECT_EQ(FormatPercentCompleted(7.4f), "   7 percent Completed");
    EXPECT_EQ(FormatPercentCompleted(42.5f), "  42 percent Completed");
}

TEST_F(StatusBarTest, CountsComeFromTheBoard) {
    // Three loose pieces and one pair: four groups of five pieces.
    g_puzzle->totalPieces = 5;
    for (int i = 0; i < 5; ++i)
        g_puzzle->pieces.push_back(std::make_unique<CPiece>());
    for (int i = 0; i < 4; ++i) {
        CPieceGroup* group = g_puzzle->NewGroup();
        group->AddPiece(g_puzzle->pieces[i].get());
        if (i == 3) group->AddPiece(g_puzzle->pieces[4].get());
        g_puzzle->groups.Append(group);
    }
    ShowPieceCounts();
    EXPECT_EQ(Status(2), " Total Pieces: 5");
    EXPECT_EQ(Status(3), " Loose Pieces: 3");
    EXPECT_EQ(Status(4), "  20 percent Completed");
    EXPECT_EQ(g_puzzle->percentWhole, 20);
}

TEST_F(StatusBarTest, TitlesNameThePuzzle) {
    g_puzzle->options.title = "Boats";
    ShowLoadProgress(7);
    EXPECT_EQ(platform->WindowText(), "Boats - 7 % Loaded - Please wait...");
    SetPuzzleTitle();
    EXPECT_EQ(platform->WindowText(), "Pictorra Vaze - Boats");

    CProOptions extras;
    extras.present = 1;
    extras.title = "Harbour Collection";
    g_proOptions = &extras;
    SetPuzzleTitle();
    g_proOptions = nullptr;
    EXPECT_EQ(platform->WindowText(), "Harbour Collection - Boats");
}

TEST_F(StatusBarTest, LongTitlesAreCutToTheirBuffers) {
    std::string title(2000, 'x');
    EXPECT_EQ(FormatPuzzleTitle("", false, title).size(), 1023u);
    EXPECT_EQ(FormatLoadProgressTitle(title, 42).size(), 255u);
    EXPECT_EQ(FormatLoadProgressTitle("Autumn", 42), "Autumn - 42 % Loaded - Please wait...");

    // A cut never leaves half of a multi-byte character behind.
    std::string accented;
    while (accented.size() < 300)
        accented += "\xC3\xA9"; // é
    std::string cut = FormatLoadProgressTitle(accented, 1);
    EXPECT_LE(cut.size(), 255u);
    EXPECT_EQ(cut.size() % 2, 0u);
    EXPECT_EQ(static_cast<unsigned char>(cut.back()), 0xA9);
}

TEST(GameClock, PauseTogglesTheMenuLabel) {
    TempDir temp;
    ScriptedPlatform platform(temp.Str());
    SetPlatform(&platform);
    CGameClock clock;
    clock.Tick();
    EXPECT_EQ(clock.seconds, 1u);
    clock.TogglePause();
    EXPECT_TRUE(clock.stopped);
    EXPECT_EQ(platform.menuTexts[ID_CLOCK_PAUSE], "Unpause clock");
    clock.Tick();
    EXPECT_EQ(clock.seconds, 1u);
    clock.TogglePause();
    EXPECT_FALSE(clock.stopped);
    EXPECT_EQ(platform.menuTexts[ID_CLOCK_PAUSE], "Pause clock");
    clock.Tick();
    EXPECT_EQ(clock.seconds, 2u);
    SetPlatform(nullptr);
}

TEST(GameClock, TargetTimeGrowsWithThePieceCount) {
    struct Case {
        int pieces, hours, minutes;
    };
    // Boundaries of each band, and the examples players see.
    const Case cases[] = {{11, 0, 0},   {49, 0, 4},   {50, 0, 6},   {74, 0, 9},   {75, 0, 12},
                          {100, 0, 25}, {124, 0, 31}, {125, 0, 41}, {149, 0, 49}, {150, 1, 5},
                          {199, 1, 26}, {200, 1, 40}, {300, 2, 30}, {0, 0, 0}};
    CPuzzle puzzle;
    for (const Case& c : cases) {
        puzzle.totalPieces = c.pieces;
        puzzle.ComputeTargetTime();
        EXPECT_EQ(puzzle.targetHours, c.hours) << c.pieces;
        EXPECT_EQ(puzzle.targetMinutes, c.minutes) << c.pieces;
    }
    puzzle.totalPieces = 0x7FFFFFFF;
    puzzle.ComputeTargetTime();
    EXPECT_GT(puzzle.targetHours, 0) << "a huge count must not overflow into a negative time";
}
