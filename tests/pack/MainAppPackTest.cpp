#include "PackTestFiles.h"
#include "PackWriter.h"
#include "app/CMainApp.h"
#include "app/Globals.h"
#include "app/Log.h"
#include "pack/PackNames.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

// A missing pack or puzzle entry is the start-up test's business.
TEST(MainAppPack, ThePuzzleAndTheSoundsAreExtractedUnderTheirNames) {
    // The puzzle is named after the program, without its folder and last extension.
    EXPECT_EQ(std::pair(BareProgramName("C:\\Games\\My.Puzzle.exe"), BareProgramName("/opt/games.d/autumn")),
              std::pair(std::string("My.Puzzle"), std::string("autumn")));
    TempDir temp, programs; // the program in its own folder, not the temporary one
    ScriptedPlatform platform{temp.Str()};
    SetPlatform(&platform);
    g_tempDirectory = g_stateDirectory = platform.tempDir;
    LogInit(platform.tempDir + "DUVereLog.txt");
    Bytes image(4096, 0xCC);
    std::string error;
    EXPECT_TRUE(publish::AppendPackToImage(
        &image, {{"click.wav", ToBytes("c")}, {"rotate.wav", {}}, {"puzzlefile", ToBytes("the archive")}},
        &error));
    g_moduleFileName = programs.File("My.Puzzle.exe");
    WriteBytes(g_moduleFileName, image);
    WriteBytes(platform.tempDir + "temp2", ToBytes("an older sound"));
    CMainApp app;
    EXPECT_TRUE(app.UnPackEXE() && app.ExtractSounds() && app.ExtractPuzzleFile());
    EXPECT_EQ(ReadText(platform.tempDir + "temp1") + ReadText(platform.tempDir + "temp2"), "c");
    EXPECT_EQ(std::tuple(app.puzzleFilePath, ReadText(app.puzzleFilePath), platform.messageBoxes.size()),
              std::tuple(platform.tempDir + "My.Puzzle", "the archive", std::size_t{0}));
    EXPECT_NE(ReadText(platform.tempDir + "DUVereLog.txt")
                  .find("ExtractPuzzleFile() - extracting to My.Puzzle\nPassed\n"),
              std::string::npos);
    SetPlatform(nullptr), g_tempDirectory.clear(), g_stateDirectory.clear(), g_moduleFileName.clear();
}
