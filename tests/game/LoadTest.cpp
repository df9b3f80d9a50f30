#include "PublishedGame.h"
#include "app/Commands.h"
#include "app/Log.h"
#include "display/CDisplay.h"

#include <chrono>
#include <cstring>
#include <regex>

using LoadTest = PublishedGame;

TEST_F(LoadTest, APublishedPuzzleLoadsScattersAndStartsTheClock) {
    Publish(256, 192);
    ASSERT_TRUE(Start());
    EXPECT_TRUE(platform->messageBoxes.empty());
    EXPECT_TRUE(g_clock->stopped) << "the clock waits while the pieces are cut";
    ASSERT_TRUE(PumpUntilLoaded());

    const int pieces = summary.cols * summary.rows;
    ASSERT_EQ(pieces, 8 * 6);
    EXPECT_EQ(platform->WindowText(), "Pictorra Vaze - Boats");
    EXPECT_EQ(platform->statusTexts[2], " Total Pieces: 48");
    EXPECT_EQ(platform->statusTexts[3], " Loose Pieces: 48");
    EXPECT_EQ(platform->statusTexts[4], "   0 percent Completed");
    EXPECT_FALSE(g_clock->stopped);
    EXPECT_EQ(g_puzzle->targetMinutes, 4);

    // Every piece is its own group somewhere in the picture-sized scatter area.
    EXPECT_EQ(g_puzzle->scatterArea, (RECT{2500 - 217, 2500 - 163, 2500 + 217, 2500 + 163}));
    ASSERT_EQ(g_puzzle->groups.Size(), 48u);
    for (const CPieceGroup* group : g_puzzle->groups) {
        EXPECT_EQ(group->pieces.Size(), 1u);
        EXPECT_GE(group->x, g_puzzle->scatterArea.left);
        EXPECT_LT(group->x, g_puzzle->scatterArea.right);
        EXPECT_GE(group->y, g_puzzle->scatterArea.top);
        EXPECT_LT(group->y, g_puzzle->scatterArea.bottom);
    }
    for (const auto& piece : g_puzzle->pieces)
        EXPECT_NE(piece->images[0], nullptr);
    EXPECT_EQ(g_puzzle->currentPicturePath, platform->tempDir + "puzzle1.bmp");
    EXPECT_NE(g_puzzle->selectorSurface, nullptr);
    // The sounds were copied out for the joins and turns.
    EXPECT_TRUE(FileExists(platform->tempDir + "temp1"));
    EXPECT_TRUE(FileExists(platform->tempDir + "temp2"));

    // The finished load was drawn: somewhere on screen a piece covers the grey board.
    ASSERT_FALSE(platform->lastFrame.empty());
    const FrameView& frame = platform->lastFrameView;
    const std::uint32_t grey = g_mainApp->backgroundPixel;
    bool pieceSeen = false;
    for (int y = 0; y < frame.height && !pieceSeen; ++y)
        for (int x = 0; x < frame.width && !pieceSeen; ++x) {
            std::uint32_t v = 0;
            std::memcpy(&v, frame.pixels + static_cast<std::size_t>(y) * frame.pitch + x * 4, 4);
            pieceSeen = (v & 0xFFFFFF) != (grey & 0xFFFFFF);
        }
    EXPECT_TRUE(pieceSeen);
}

TEST_F(LoadTest, TheTitleCountsUpWhileALargePuzzleIsCut) {
    Publish(800, 600, "small", "Autumn", "Autumn");
    ASSERT_TRUE(Start());
    ASSERT_TRUE(PumpUntilLoaded());
    const std::regex progress("Autumn - ([0-9]+) % Loaded - Please wait\\.\\.\\.");
    int last = -1;
    int reports = 0;
    for (const std::string& title : platform->titles) {
        std::smatch match;
        if (!std::regex_match(title, match, progress)) continue;
        const int percent = std::stoi(match[1]);
        EXPECT_GE(percent, last);
        EXPECT_LE(percent, 100);
        last = percent;
        ++reports;
    }
    EXPECT_GT(reports, 0) << "1850 pieces take longer than one 20 ms report";
    EXPECT_EQ(platform->WindowText(), "Pictorra Vaze - Autumn");
    EXPECT_EQ(platform->statusTexts[2], " Total Pieces: 1850");
}

TEST_F(LoadTest, AFrameIsNeverDrawnWhileTheMainThreadCuts) {
    Publish(256, 192);
    ASSERT_TRUE(Start());
    ASSERT_TRUE(PumpUntilLoaded());
    EXPECT_EQ(g_renderEnabled.load(), 1);
}

TEST_F(LoadTest, ClosingDuringALoadIsRefusedAndQuittingStopsTheWorkers) {
    Publish(800, 600, "small", "Autumn", "Autumn");
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
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(g_puzzle, nullptr);
    EXPECT_LT(took, std::chrono::seconds(5));
    // Whatever the workers left queued is harmless now.
    platform->PumpMessages();
}

TEST_F(LoadTest, TheRunEndingWithoutDestructorStillStopsTheWorkers) {
    Publish(800, 600, "small", "Autumn", "Autumn");
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Loading());
    GameEnd();
    EXPECT_FALSE(Loading());
    EXPECT_FALSE(g_puzzle->loaderThread.joinable());
    EXPECT_FALSE(g_puzzle->progressThread.joinable());
    platform->PumpMessages();
    EXPECT_TRUE(g_puzzle->groups.Empty()) << "an abandoned cut is never scattered";
}

TEST_F(LoadTest, ExitWithCancelOnTheSaveQuestionKeepsPlaying) {
    Publish(256, 192);
    ASSERT_TRUE(Start());
    ASSERT_TRUE(PumpUntilLoaded());
    g_puzzle->positionChanged = 1;
    platform->messageBoxAnswers.push_back(IDCANCEL);
    Command(ID_FILE_EXIT);
    ASSERT_EQ(platform->messageBoxes.size(), 1u);
    EXPECT_EQ(platform->messageBoxes[0].caption, "Save position?");
    EXPECT_FALSE(platform->quitPosted);
    EXPECT_EQ(g_puzzle->groups.Size(), 48u);

    platform->messageBoxAnswers.push_back(IDNO);
    Command(ID_FILE_EXIT);
    EXPECT_TRUE(platform->quitPosted);
    EXPECT_EQ(platform->settingsDwords.at("FirstTimeRun"), 0u);
}

TEST_F(LoadTest, APictureSmallerThanOneCellLoadsWithNoPieces) {
    // The publishing tool refuses such a picture, so the archive is swapped in by hand.
    const std::string picture = temp.File("normal.bmp");
    ASSERT_TRUE(WriteBmpFile(picture, Picture(64, 64)));
    publish::PublishRequest request;
    request.gameProgram = program;
    request.picturePath = picture;
    request.title = "Tiny";
    std::vector<publish::PackEntrySource> entries;
    std::string error;
    ASSERT_TRUE(publish::Publisher::BuildEntries(request, &entries, &summary, &error)) << error;

    const std::string tiny = temp.File("tiny.bmp");
    ASSERT_TRUE(WriteBmpFile(tiny, Picture(20, 40)));
    std::vector<std::uint8_t> tinyBytes;
    ASSERT_TRUE(publish::ReadFileBytes(tiny, &tinyBytes, &error));
    publish::ArchiveOptions options;
    options.pictureType = "bmp";
    options.cutName = "medium";
    options.title = "Tiny";
    bool replaced = false;
    for (auto& entry : entries) {
        if (entry.name != "puzzlefile") continue;
        ASSERT_TRUE(publish::BuildPuzzleArchive(options, tinyBytes, false, &entry.bytes, &error)) << error;
        replaced = true;
    }
    ASSERT_TRUE(replaced);
    platform->executablePath = temp.File("Tiny.exe");
    ASSERT_TRUE(publish::AppendPack(program, entries, platform->executablePath, &error)) << error;

    ASSERT_TRUE(Start());
    ASSERT_TRUE(PumpUntilLoaded());
    EXPECT_EQ(g_puzzle->cols, 0);
    EXPECT_TRUE(g_puzzle->pieces.empty());
    EXPECT_TRUE(g_puzzle->groups.Empty());
    EXPECT_EQ(platform->statusTexts[2], " Total Pieces: 0");
    EXPECT_EQ(platform->WindowText(), "Pictorra Vaze - Tiny");
    EXPECT_FALSE(g_clock->stopped);
}
