#include "AppFixture.h"
#include "app/StatusBarText.h"
#include "pack/CProOptions.h"

using StatusBarTest = AppFixture;

TEST_F(StatusBarTest, ClockPercentAndRotationTexts) {
    EXPECT_EQ(FormatClockText(0xFFFFFFFFu), " 1193046:28:15  ");
    EXPECT_EQ(FormatPercentCompleted(99.6f), " 100 percent Completed");
    EXPECT_EQ(FormatPercentCompleted(7.4f), "   7 percent Completed");
    ResetPieceCounts();
    EXPECT_EQ(Status(4), " 0 percent Completed") << "before any puzzle: no padding";

    // The clock shows its count before it advances, and a stopped one stays.
    g_clock->seconds = 3725;
    UpdateClock();
    EXPECT_EQ(std::tuple(Status(1), g_clock->seconds, Status(5)),
              std::tuple(" 01:02:05  ", 3726u, " Piece rotation: disabled"));
    g_puzzle->userotation = 1;
    g_clock->stopped = true;
    UpdateClock();
    UpdateClock();
    EXPECT_EQ(std::tuple(Status(1), g_clock->seconds, Status(5)),
              std::tuple(" 01:02:06  ", 3726u, " Piece rotation: enabled"));
}

TEST_F(StatusBarTest, TitlesNameTheCollectionAndAreCutToTheirBuffers) {
    g_puzzle->options.title = "Boats";
    CProOptions extras;
    extras.present = 1;
    extras.title = "Harbour Collection";
    g_proOptions = &extras;
    SetPuzzleTitle();
    g_proOptions = nullptr;
    EXPECT_EQ(platform->WindowText(), "Harbour Collection - Boats");

    const std::string title(2000, 'x');
    EXPECT_EQ(FormatPuzzleTitle("", false, title).size(), 1023u);
    EXPECT_EQ(FormatLoadProgressTitle(title, 42).size(), 255u);
    // A cut never leaves half of a multi-byte character behind.
    std::string accented;
    while (accented.size() < 300)
        accented += "\xC3\xA9"; // é
    const std::string cut = FormatLoadProgressTitle(accented, 1);
    EXPECT_EQ(cut.size() % 2, 0u);
    EXPECT_EQ(static_cast<unsigned char>(cut.back()), 0xA9);
}
