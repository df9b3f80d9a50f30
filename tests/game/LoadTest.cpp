// Loading a published puzzle: what the player sees, input while the pieces are cut, and
// leaving in the middle of a load.
#include "support/GameFixture.h"
#include "imaging/BmpCodec.h"

#include "ArchiveWriter.h"
#include "PackWriter.h"

#include <chrono>
#include <regex>
#include <thread>

namespace {

using LoadTest = GameFixture;

TEST_F(LoadTest, APublishedPuzzleLoadsScattersAndStartsTheClock) {
    Publish(256, 192);
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Loading());
    EXPECT_TRUE(g_clock->stopped) << "the clock waits while the pieces are cut";
    ASSERT_TRUE(PumpUntilLoaded());
    EXPECT_EQ(g_puzzle->positionChanged, 0);
    EXPECT_TRUE(platform->messageBoxes.empty());
    EXPECT_EQ(platform->WindowText(), "Pictorra Vaze - Boats");
    EXPECT_EQ(platform->statusTexts[2], " Total Pieces: 48");
    EXPECT_EQ(platform->statusTexts[3], " Loose Pieces: 48");
    EXPECT_EQ(platform->statusTexts[4], "   0 percent Completed");
    EXPECT_FALSE(g_clock->stopped);
    EXPECT_EQ(g_renderEnabled.load(), 1);
    // Scattered over an area sized from the picture.
    ASSERT_EQ(g_puzzle->groups.Size(), 48u);
    EXPECT_EQ(g_puzzle->scatterArea, (RECT{2500 - 217, 2500 - 163, 2500 + 217, 2500 + 163}));
    // The finished load was drawn: a piece covers the board at its cell's centre.
    const POINT top = Centre(g_puzzle->groups.Head()->reference);
    const std::uint32_t shown = FramePixel(top.x - S() / 4, top.y);
    EXPECT_NE(shown, ~0u);
    EXPECT_NE(shown, g_mainApp->backgroundPixel & 0xFFFFFF);

    // A lost surface: the pieces are made again and the frame drawn once more.
    const int presents = platform->presentCount;
    platform->loseNextPresent = true;
    Send(WM_PAINT);
    EXPECT_EQ(platform->presentCount, presents + 2) << "the lost frame, then the restored one";
    EXPECT_FALSE(Loading());
    for (const auto& piece : g_puzzle->pieces)
        EXPECT_NE(piece->images[0], nullptr);
}

TEST_F(LoadTest, TheTitleCountsUpWhileALargePuzzleIsCut) {
    Publish(800, 600, "small", "Autumn");
    ASSERT_TRUE(Start());
    ASSERT_TRUE(PumpUntilLoaded());
    const std::regex progress("Autumn - ([0-9]+) % Loaded - Please wait\\.\\.\\.");
    int last = -1, reports = 0;
    for (const std::string& title : platform->titles) {
        std::smatch match;
        if (!std::regex_match(title, match, progress)) continue;
        EXPECT_GE(std::stoi(match[1]), last);
        EXPECT_LE(std::stoi(match[1]), 100);
        last = std::stoi(match[1]);
        ++reports;
    }
    EXPECT_GT(reports, 0) << "1850 pieces take longer than one 20 ms report";
    EXPECT_EQ(platform->WindowText(), "Pictorra Vaze - Autumn");
    EXPECT_EQ(platform->statusTexts[2], " Total Pieces: 1850");
}

TEST_F(LoadTest, ClosingDuringALoadIsRefusedAndQuittingStopsTheWorkers) {
    Publish(800, 600, "small");
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Loading());
    Send(WM_CLOSE);
    Command(ID_FILE_EXIT);
    EXPECT_FALSE(platform->quitPosted);
    EXPECT_NE(g_mainApp, nullptr);

    // Let the progress thread get a report waiting on us, then quit without handling it.
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    const auto start = std::chrono::steady_clock::now();
    Destructor();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(g_puzzle, nullptr);
    platform->PumpMessages(); // whatever the workers left queued is harmless now
}

TEST_F(LoadTest, TheRunEndingWithoutDestructorStillStopsTheWorkers) {
    Publish(800, 600, "small");
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Loading());
    GameEnd();
    EXPECT_FALSE(Loading());
    EXPECT_FALSE(g_puzzle->loaderThread.joinable());
    EXPECT_FALSE(g_puzzle->progressThread.joinable());
    platform->PumpMessages();
    EXPECT_TRUE(g_puzzle->groups.Empty()) << "an abandoned cut is never scattered";
}

TEST_F(LoadTest, APictureSmallerThanOneCellLoadsWithNoPieces) {
    // The publishing tool refuses such a picture, so the archive is swapped in by hand.
    const publish::PublishRequest request =
        PublishGradient(temp.Str(), 64, 64, "medium", "Tiny", temp.File("Normal.exe"), &summary);
    std::vector<publish::PackEntrySource> entries;
    std::string error;
    ASSERT_TRUE(publish::Publisher::BuildEntries(request, &entries, &summary, &error)) << error;
    const std::string tiny = temp.File("tiny.bmp");
    ASSERT_TRUE(WriteBmpFile(tiny, GradientPicture(20, 40)));
    std::vector<std::uint8_t> tinyBytes;
    ASSERT_TRUE(publish::ReadFileBytes(tiny, &tinyBytes, &error));
    publish::ArchiveOptions options;
    options.pictureType = "bmp";
    options.cutName = "medium";
    options.title = "Tiny";
    for (auto& entry : entries) {
        if (entry.name != "puzzlefile") continue;
        ASSERT_TRUE(publish::BuildPuzzleArchive(options, tinyBytes, false, &entry.bytes, &error)) << error;
    }
    platform->executablePath = temp.File("Tiny.exe");
    ASSERT_TRUE(publish::AppendPack(request.gameProgram, entries, platform->executablePath, &error)) << error;

    ASSERT_TRUE(Start());
    ASSERT_TRUE(PumpUntilLoaded());
    EXPECT_TRUE(g_puzzle->pieces.empty());
    EXPECT_TRUE(g_puzzle->groups.Empty());
    EXPECT_EQ(platform->statusTexts[2], " Total Pieces: 0");
    EXPECT_EQ(platform->WindowText(), "Pictorra Vaze - Tiny");
    EXPECT_FALSE(g_clock->stopped);
}

} // namespace
