#include "AppFixture.h"
#include "app/StatusBarText.h"
#include "pack/CProOptions.h"

using StatusBarTest = AppFixture;

TEST_F(StatusBarTest, TheClockShowsItsCountBeforeItAdvancesAndAStoppedOneStays) {
    g_clock->seconds = 3725;
    UpdateClock();
    EXPECT_EQ(std::tuple(Status(1), g_clock->seconds, Status(5)),
              std::tuple(" 01:02:05  ", 3726u, " Piece rotation: disabled"));
    g_puzzle->userotation = 1;
    g_clock->stopped = true;
    UpdateClock();
    UpdateClock();
    EXPECT_EQ(std::tuple(Status(1), g_clock->seconds, Status(5), FormatClockText(0xFFFFFFFFu)),
              std::tuple(" 01:02:06  ", 3726u, " Piece rotation: enabled", " 1193046:28:15  "));
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
    EXPECT_EQ(
        std::pair(FormatPuzzleTitle("", false, title).size(), FormatLoadProgressTitle(title, 42).size()),
        std::pair(std::size_t{1023}, std::size_t{255}));
    // A cut never leaves half of a multi-byte character behind.
    std::string accented;
    while (accented.size() < 300)
        accented += "\xC3\xA9"; // é
    const std::string cut = FormatLoadProgressTitle(accented, 1);
    EXPECT_TRUE(cut.size() % 2 == 0 && cut.back() == '\xA9');
}
