// Loading a published puzzle: what the player sees, input while the pieces are cut, and
// leaving in the middle of a load.
#include "support/GameFixture.h"

#include "display/CDisplay.h"

#include <chrono>
#include <regex>
#include <thread>

namespace {

using LoadTest = GameFixture;

std::vector<std::string> Status(ScriptedPlatform& platform) {
    return {platform.WindowText(), platform.statusTexts[2], platform.statusTexts[3], platform.statusTexts[4]};
}

TEST_F(LoadTest, APublishedPuzzleLoadsScattersAndStartsTheClock) {
    Publish(256, 192);
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Loading());
    EXPECT_TRUE(g_clock->stopped.load()) << "the clock waits while the pieces are cut";
    ASSERT_TRUE(PumpUntilLoaded());
    EXPECT_EQ(std::tuple(g_puzzle->positionChanged, platform->messageBoxes.size(), g_clock->stopped.load(),
                         g_renderEnabled.load(), g_puzzle->groups.Size()),
              std::tuple(0, 0u, false, 1, 48u));
    EXPECT_EQ(Status(*platform), (std::vector<std::string>{"Pictorra Vaze - Boats", " Total Pieces: 48",
                                                           " Loose Pieces: 48", "   0 percent Completed"}));
    EXPECT_EQ(g_puzzle->scatterArea, (RECT{2500 - 217, 2500 - 163, 2500 + 217, 2500 + 163}));
    // The finished load was drawn: a piece covers the board at its cell's centre.
    const POINT top = Centre(g_puzzle->groups.Head()->reference);
    const std::uint32_t shown = FramePixel(top.x - S() / 4, top.y);
    EXPECT_TRUE(shown != ~0u && shown != (g_mainApp->backgroundPixel & 0xFFFFFF)) << shown;

    // A lost surface: the pieces are made again and the frame drawn once more.
    const int presents = platform->presentCount;
    platform->loseNextPresent = true;
    Send(WM_PAINT);
    EXPECT_EQ(platform->presentCount, presents + 2) << "the lost frame, then the restored one";
    EXPECT_FALSE(Loading());
    for (const auto& piece : g_puzzle->pieces)
        EXPECT_NE(piece->images[0], nullptr);

    // A frame covers the window; when the window grows, the next one covers the new part too.
    const int wide = platform->clientWidth + 40;
    g_display->FillArea(0xFF00FF, platform->clientWidth, 0, wide, 40);
    platform->clientWidth = wide;
    Send(WM_SIZE, 0, static_cast<LPARAM>(wide | platform->clientHeight << 16));
    Send(WM_PAINT);
    EXPECT_EQ(FramePixel(ScrollX() + wide - 20, ScrollY() + 20), g_mainApp->backgroundPixel & 0xFFFFFF);
}

// While a large puzzle is cut the title counts up; closing is refused during a load, and
// quitting, or the run ending without Destructor, stops the workers.
TEST_F(LoadTest, TheTitleCountsUpWhileALargePuzzleIsCutAndLeavingStopsTheWorkers) {
    Publish(800, 600, "small", "Autumn");
    ASSERT_TRUE(Start());
    ASSERT_TRUE(PumpUntilLoaded());
    const std::regex progress("Autumn - ([0-9]+) % Loaded - Please wait\\.\\.\\.");
    std::vector<int> reports;
    for (const std::string& title : platform->titles)
        if (std::smatch match; std::regex_match(title, match, progress))
            reports.push_back(std::stoi(match[1]));
    // A cut quicker than one 20 ms report shows no percentage at all.
    EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()) && (reports.empty() || reports.back() <= 100));
    EXPECT_EQ(platform->WindowText(), "Pictorra Vaze - Autumn");
    GameShutdown();

    ASSERT_TRUE(Start());
    ASSERT_TRUE(Loading());
    Send(WM_LOADPROGRESS, 42);
    EXPECT_EQ(platform->WindowText(), "Autumn - 42 % Loaded - Please wait...");
    GameEnd();
    EXPECT_FALSE(Loading() || g_puzzle->loaderThread.joinable() || g_puzzle->progressThread.joinable());
    platform->PumpMessages();
    EXPECT_TRUE(g_puzzle->groups.Empty()) << "an abandoned cut is never scattered";
    GameShutdown();

    ASSERT_TRUE(Start());
    ASSERT_TRUE(Loading());
    Send(WM_CLOSE);
    Command(ID_FILE_EXIT);
    EXPECT_TRUE(!platform->quitPosted && g_mainApp);
    // Let the progress thread get a report waiting on us, then quit without handling it.
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    const auto start = std::chrono::steady_clock::now();
    Destructor();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(g_puzzle, nullptr);
    platform->PumpMessages(); // whatever the workers left queued is harmless now
}

} // namespace
