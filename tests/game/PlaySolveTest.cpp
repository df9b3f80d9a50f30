// Whole puzzles solved with the mouse, from the scattered heap to the "Well Done!" box.
#include "support/GameFixture.h"

#include <string>

namespace {

using PlaySolveTest = GameFixture;

TEST_F(PlaySolveTest, AThreeByTwoPuzzleSolvedByDraggingIsAnnouncedOnce) {
    ASSERT_NO_FATAL_FAILURE(Load(96, 64));
    ASSERT_EQ(S(), 32);
    ASSERT_EQ(g_puzzle->cols * g_puzzle->rows, 6);
    // Two minutes and five seconds of play.
    for (int i = 0; i < 125; ++i)
        platform->FireTimer(1);
    ASSERT_EQ(g_clock->seconds, 125u);

    ASSERT_NO_FATAL_FAILURE(SpreadOut());
    EXPECT_TRUE(platform->soundsPlayed.empty()) << "nothing fits yet";
    EXPECT_EQ(platform->statusTexts[3], " Loose Pieces: 6");

    int placed = 0;
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 3; ++c) {
            const POINT place = AssemblyPlace(c, r);
            DragPieceTo(P(c, r), place.x, place.y);
            ++placed;
            EXPECT_EQ(Pos(P(c, r)), place);
            if (placed < 2) continue;
            EXPECT_EQ(P(c, r)->group, P(0, 0)->group) << c << "," << r;
            EXPECT_EQ(platform->soundsPlayed.size(), static_cast<std::size_t>(placed - 1));
            EXPECT_EQ(platform->statusTexts[3], " Loose Pieces: " + std::to_string(6 - placed));
            if (placed == 2) {
                EXPECT_EQ(platform->statusTexts[4], "  17 percent Completed");
            }
            if (placed < 6) {
                EXPECT_TRUE(platform->messageBoxes.empty()) << "announced early";
            }
        }
    }
    EXPECT_EQ(platform->statusTexts[4], " 100 percent Completed");

    ASSERT_EQ(platform->messageBoxes.size(), 1u);
    EXPECT_EQ(platform->messageBoxes[0].text, "You completed this puzzle in 0 hours and 2 minutes.")
        << "six pieces have no target time";
    EXPECT_EQ(platform->messageBoxes[0].caption, "Well Done!");
    EXPECT_EQ(platform->messageBoxes[0].style, MB_OK);
    EXPECT_FALSE(platform->cursorConfined);
    EXPECT_EQ(platform->soundsPlayed, std::vector<std::string>(5, platform->tempDir + "temp1"));

    // The clock stopped at the last join.
    EXPECT_TRUE(g_clock->stopped);
    platform->FireTimer(1);
    platform->FireTimer(1);
    EXPECT_EQ(g_clock->seconds, 125u);

    // The finished picture is on screen, every cell showing its own part of the picture
    // (the reference piece's middle carries the selector).
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 3; ++c) {
            if (P(c, r) == P(0, 0)->group->reference) continue;
            const POINT m = Centre(P(c, r));
            EXPECT_EQ(FramePixel(m.x, m.y), GradientPixel(96, 64, c * 32 + 16, r * 32 + 16)) << c << "," << r;
        }
    }
}

} // namespace
