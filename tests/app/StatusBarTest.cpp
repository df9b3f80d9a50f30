#include "AppFixture.h"
#include "app/StatusBarText.h"
#include "pack/CProOptions.h"

using StatusBarTest = AppFixture;

TEST_F(StatusBarTest, ClockAndPercentTexts) {
    EXPECT_EQ(FormatClockText(0), " 00:00:00  ");
    EXPECT_EQ(FormatClockText(100 * 3600), " 100:00:00  ");
    EXPECT_EQ(FormatClockText(0xFFFFFFFFu), " 1193046:28:15  ");
    EXPECT_EQ(FormatPercentCompleted(99.6f), " 100 percent Completed");
    EXPECT_EQ(FormatPercentCompleted(7.4f), "   7 percent Completed");
    EXPECT_EQ(FormatPercentCompleted(42.5f), "  42 percent Completed");

    // The clock shows its count before it advances, and a stopped one stays.
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

TEST_F(StatusBarTest, ACollectionsTitleTakesThePlaceOfTheGamesName) {
    g_puzzle->options.title = "Boats";
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

    // A cut never leaves half of a multi-byte character behind.
    std::string accented;
    while (accented.size() < 300)
        accented += "\xC3\xA9"; // é
    std::string cut = FormatLoadProgressTitle(accented, 1);
    EXPECT_LE(cut.size(), 255u);
    EXPECT_EQ(cut.size() % 2, 0u);
    EXPECT_EQ(static_cast<unsigned char>(cut.back()), 0xA9);
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
