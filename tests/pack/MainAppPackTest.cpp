#include "PackTestFiles.h"
#include "PackWriter.h"
#include "app/CMainApp.h"
#include "app/Globals.h"
#include "app/Log.h"
#include "pack/PackNames.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(BareProgramName, DropsTheFolderAndTheLastExtension) {
    EXPECT_EQ(BareProgramName("C:\\Games\\My.Puzzle.exe"), "My.Puzzle");
    EXPECT_EQ(BareProgramName("/home/me/v1.2/My.Puzzle.exe"), "My.Puzzle");
    EXPECT_EQ(BareProgramName("/opt/games.d/autumn"), "autumn");
}

class MainAppPackTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetPlatform(&platform);
        g_tempDirectory = platform.tempDir;
        LogInit(platform.tempDir + "DUVereLog.txt");
    }
    void TearDown() override {
        SetPlatform(nullptr);
        g_tempDirectory.clear();
        g_moduleFileName.clear();
    }
    std::string Log() { return ReadText(platform.tempDir + "DUVereLog.txt"); }

    // A published program in its own folder (not the temporary one).
    void Publish(const std::string& name, const std::vector<publish::PackEntrySource>& entries) {
        Bytes image(4096, 0xCC);
        std::string error;
        ASSERT_TRUE(publish::AppendPackToImage(&image, entries, &error)) << error;
        g_moduleFileName = programs.File(name);
        WriteBytes(g_moduleFileName, image);
    }

    TempDir temp;
    TempDir programs;
    ScriptedPlatform platform{temp.Str()};
    CMainApp app;
};

TEST_F(MainAppPackTest, ThePuzzleAndTheSoundsAreExtractedUnderTheirNames) {
    Publish("My.Puzzle.exe",
            {{"click.wav", ToBytes("c")}, {"rotate.wav", {}}, {"puzzlefile", ToBytes("the archive")}});
    WriteBytes(platform.tempDir + "temp2", ToBytes("an older sound"));
    ASSERT_TRUE(app.UnPackEXE());
    ASSERT_TRUE(app.ExtractSounds());
    EXPECT_EQ(ReadText(platform.tempDir + "temp1") + ReadText(platform.tempDir + "temp2"), "c");
    ASSERT_TRUE(app.ExtractPuzzleFile());
    EXPECT_EQ(app.puzzleFilePath, platform.tempDir + "My.Puzzle");
    EXPECT_EQ(ReadText(app.puzzleFilePath), "the archive");
    EXPECT_TRUE(platform.messageBoxes.empty());
    EXPECT_NE(Log().find("CMainApp::ExtractPuzzleFile() - extracting to My.Puzzle\nPassed\n"),
              std::string::npos);
}

TEST_F(MainAppPackTest, AMissingPackOrPuzzleEntryFailsQuietlyUntilThePuzzleIsWanted) {
    g_moduleFileName = programs.File("bare.exe");
    WriteBytes(g_moduleFileName, Bytes(250000, 0));
    EXPECT_FALSE(app.UnPackEXE());
    EXPECT_FALSE(app.ExtractSounds());
    EXPECT_TRUE(platform.messageBoxes.empty()); // start-up tells the player, not UnPackEXE
    EXPECT_FALSE(app.ExtractPuzzleFile());
    EXPECT_NE(Log().find("extracting to bare\nCMainApp::ExtractPuzzleFile() - FAILED\n"), std::string::npos);

    Publish("Lake.exe", {{"piecedefs", ToBytes("x")}});
    ASSERT_TRUE(app.UnPackEXE());
    EXPECT_FALSE(app.ExtractPuzzleFile());
    ASSERT_EQ(platform.messageBoxes.size(), 2u);
    for (const RecordedMessageBox& box : platform.messageBoxes)
        EXPECT_EQ(std::tuple(box.text, box.caption, box.style),
                  std::tuple("Could not extract PUZ file", "Error", MB_OK));
}

} // namespace
