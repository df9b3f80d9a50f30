#include "ArchiveWriter.h"
#include "JpegWriter.h"
#include "cutting/PuzzleLimits.h"
#include "pack/GameCutContext.h"
#include "pack/Loader.h"
#include "pack/PuzzleArchiveLoader.h"
#include "support/GameFixture.h"
#include "support/PictureFiles.h"
#include "support/ScopedGame.h"

#include <new>

TEST(PuzzleLimits, PuzzlesBeyondThePiecesOrMemoryTheGameHoldsAreRefusedNamingTheirSize) {
    EXPECT_EQ(PuzzleSizeRefusal(200, 200, 16, true) + PuzzleSizeRefusal(110, 110, 32, true) +
                  PuzzleSizeRefusal(60, 50, 64, false) + PuzzleSizeRefusal(0, 0, 32, true),
              "");
    EXPECT_EQ(PuzzleSizeRefusal(201, 200, 16, false),
              "This puzzle has 201 x 200 = 40200 pieces; the game takes at most 40000.");
    EXPECT_EQ(PuzzleSizeRefusal(120, 110, 32, true), "This puzzle (120 x 110 = 13200 pieces of 32 pixels) "
                                                     "needs about 2165 MB; the game takes at most 2048 MB.");
    EXPECT_NE(PuzzleSizeRefusal(40001, 1, 16, false), "") << "a single long row counts too";
}

TEST(PuzzleLimits, APictureWhoseHeaderPromisesMillionsOfPiecesIsRefusedBeforeItIsDecoded) {
    TempDir temp;
    ScriptedPlatform platform{temp.Str()};
    ScopedGame game{platform, 2}; // 2-pixel cells, kept by a cut the table does not know
    // A small JPEG whose frame header is made to claim 8000 x 8000 pixels.
    Bytes jpeg = publish::EncodeJpeg(GradientPicture(16, 16), 80);
    for (std::size_t i = 2; i + 9 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            jpeg[i + 5] = jpeg[i + 7] = 8000 >> 8, jpeg[i + 6] = jpeg[i + 8] = 8000 & 0xFF;
            break;
        }
    publish::ArchiveOptions options;
    options.cutName = "Custom";
    Bytes archive;
    ASSERT_TRUE(publish::BuildPuzzleArchive(options, jpeg, true, &archive, nullptr));
    WriteBytes(temp.File("Huge"), archive);

    EXPECT_FALSE(LoadPuzzleArchive(*game.puzzle, temp.File("Huge")));
    EXPECT_EQ(platform.messageBoxes.at(0).text,
              "This puzzle has 4000 x 4000 = 16000000 pieces; the game takes at most 40000.");
    EXPECT_TRUE(!std::filesystem::exists(temp.File("puzzle1.bmp")) && !game.puzzle->loaderBusy)
        << "nothing decoded";
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
    EXPECT_NE(platform->messageBoxes.at(0).text.find("not enough memory"), std::string::npos);
    EXPECT_TRUE(Running() && g_puzzle->pieces.empty() && g_puzzle->groups.Size() == 0);
    ASSERT_TRUE(RecutPuzzle() && PumpUntilLoaded());
    EXPECT_EQ(g_puzzle->pieces.size(), 16u) << "the next cut works again";
    // A picture smaller than one cell (the publishing tool refuses one) cuts into no pieces.
    ASSERT_TRUE(WriteBmpFile(g_puzzle->currentPicturePath = temp.File("tiny.bmp"), GradientPicture(20, 40)));
    ASSERT_TRUE(RecutPuzzle() && PumpUntilLoaded());
    EXPECT_TRUE(g_puzzle->pieces.empty() && g_puzzle->groups.Empty() && !g_clock->stopped.load());
    EXPECT_EQ(platform->statusTexts[2], " Total Pieces: 0");
}
