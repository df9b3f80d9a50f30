#include "ArchiveWriter.h"
#include "JpegWriter.h"
#include "app/Log.h"
#include "cutting/PuzzleLimits.h"
#include "pack/GameCutContext.h"
#include "pack/Loader.h"
#include "pack/PuzzleArchiveLoader.h"
#include "support/GameFixture.h"
#include "support/PictureFiles.h"
#include "support/ScopedGame.h"

#include <new>

namespace fs = std::filesystem;

TEST(PuzzleLimits, PuzzlesBeyondThePiecesOrMemoryTheGameHoldsAreRefusedByName) {
    struct Case {
        std::int64_t cols, rows;
        int cell;
        bool rotation;
        const char* refusal; // empty: accepted
    } cases[] = {
        {200, 200, 16, true, ""},
        {150, 100, 64, false, ""},
        {201, 200, 16, false, "This puzzle has 201 x 200 = 40200 pieces; the game takes at most 40000."},
        {4000, 4000, 2, false, "This puzzle has 4000 x 4000 = 16000000 pieces; the game takes at most 40000."},
        {150, 100, 256, true, "needs about"},
        {0, 0, 32, true, ""},
    };
    for (const Case& c : cases) {
        const std::string refusal = PuzzleSizeRefusal(c.cols, c.rows, c.cell, c.rotation);
        if (*c.refusal == '\0')
            EXPECT_EQ(refusal, "") << c.cols << "x" << c.rows;
        else
            EXPECT_NE(refusal.find(c.refusal), std::string::npos) << refusal;
    }
    EXPECT_GT(EstimatedPuzzleBytes(100, 100, 32, true), EstimatedPuzzleBytes(100, 100, 32, false));
}

TEST(PuzzleLimits, APictureWhoseHeaderPromisesMillionsOfPiecesIsRefusedBeforeItIsDecoded) {
    TempDir temp;
    ScriptedPlatform platform{temp.Str()};
    ScopedGame game{platform, 2};
    LogInit(platform.tempDir + "DUVereLog.txt");
    // A small JPEG whose frame header is made to claim 8000 x 8000 pixels, cut in 2-pixel cells.
    Bytes jpeg = publish::EncodeJpeg(GradientPicture(16, 16), 80);
    for (std::size_t i = 2; i + 9 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            jpeg[i + 5] = jpeg[i + 7] = 8000 >> 8;
            jpeg[i + 6] = jpeg[i + 8] = 8000 & 0xFF;
            break;
        }
    publish::ArchiveOptions options;
    options.pictureType = "jpg", options.cutName = "Custom", options.title = "Huge";
    Bytes archive;
    std::string error;
    ASSERT_TRUE(publish::BuildPuzzleArchive(options, jpeg, true, &archive, &error)) << error;
    ASSERT_LT(archive.size(), 2000u);
    WriteBytes(temp.File("Huge"), archive);

    EXPECT_FALSE(LoadPuzzleArchive(*game.puzzle, temp.File("Huge")));
    ASSERT_EQ(platform.messageBoxes.size(), 1u);
    EXPECT_EQ(platform.messageBoxes[0].text,
              "This puzzle has 4000 x 4000 = 16000000 pieces; the game takes at most 40000.");
    EXPECT_FALSE(fs::exists(temp.File("puzzle1.bmp"))) << "nothing decoded";
    EXPECT_TRUE(game.puzzle->pieces.empty() && !game.puzzle->loaderBusy);
}

using LimitsGameTest = GameFixture;

TEST_F(LimitsGameTest, RunningOutOfMemoryWhileCuttingIsReportedAndThePlayGoesOn) {
    Load(128, 128);
    CutContext context = GameCutContext();
    context.random = []() -> int { throw std::bad_alloc(); };
    g_puzzle->ClearPieces();
    platform->messageBoxes.clear();
    StartLoader(g_puzzle, 0, context);
    ASSERT_TRUE(PumpUntilLoaded());
    ASSERT_EQ(platform->messageBoxes.size(), 1u);
    EXPECT_NE(platform->messageBoxes[0].text.find("not enough memory"), std::string::npos);
    EXPECT_TRUE(Running() && g_puzzle->pieces.empty() && g_puzzle->groups.Size() == 0);
    EXPECT_NE(Log().find("Not enough memory to load"), std::string::npos);
    // The next cut works again.
    ASSERT_TRUE(RecutPuzzle());
    ASSERT_TRUE(PumpUntilLoaded());
    EXPECT_EQ(g_puzzle->pieces.size(), 16u);
}
