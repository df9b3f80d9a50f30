#include "ArchiveWriter.h"
#include "PackTestFiles.h"
#include "app/Log.h"
#include "imaging/BmpCodec.h"
#include "pack/PuzzleArchiveLoader.h"
#include "support/PublishedPuzzle.h"
#include "support/ScopedGame.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

class LoadPuzzleArchiveTest : public ::testing::Test {
  protected:
    void SetUp() override {
        LogInit(platform.tempDir + "DUVereLog.txt");
        g_sideList = nullptr;
        app.ghosted = 1;
        options.pictureType = "bmp", options.cutName = "large", options.title = "Autumn";
    }
    // The log after its header, which ends in an empty line.
    std::string Log() {
        const std::string text = ReadText(platform.tempDir + "DUVereLog.txt");
        return text.substr(text.find("\n\n") + 2);
    }
    bool Load(const std::string& path) { return LoadPuzzleArchive(puzzle, path); }
    std::string WriteArchive() {
        Bytes archive;
        std::string error;
        EXPECT_TRUE(publish::BuildPuzzleArchive(options, picture, true, &archive, &error)) << error;
        WriteBytes(platform.tempDir + "Autumn", archive);
        return platform.tempDir + "Autumn";
    }
    std::string WriteEntries(const std::vector<publish::ArchiveEntrySource>& entries) {
        std::string error;
        EXPECT_TRUE(publish::WriteArchive(platform.tempDir + "Broken", entries, &error)) << error;
        return platform.tempDir + "Broken";
    }
    TempDir temp;
    ScriptedPlatform platform{temp.Str()};
    ScopedGame game{platform, 0};
    CMainApp& app = *game.app;
    CGameClock& clock = *game.clock;
    CPuzzle& puzzle = *game.puzzle;
    publish::ArchiveOptions options;
    Bytes picture = EncodeBmp24(GradientPicture(400, 300)); // its bitmap is written in two bands
};

TEST_F(LoadPuzzleArchiveTest, AGoodArchiveSetsTheCutAndLeavesTheBitmapForCutting) {
    const std::string path = WriteArchive();
    clock.seconds = 77;
    puzzle.positionChanged = 1;
    ASSERT_TRUE(Load(path));
    EXPECT_EQ(std::tuple(puzzle.archivePath, clock.seconds, puzzle.positionChanged, puzzle.options.title),
              std::tuple(path, 0u, 0, "Autumn"));
    EXPECT_EQ(std::tuple(puzzle.cutStyle, cellSize, app.ghosted), std::tuple(2, 48, 1));
    EXPECT_EQ(ReadBytes(platform.tempDir + "pic"), picture);
    EXPECT_EQ(ReadBytes(platform.tempDir + "puzzle1.bmp"), picture);
    // Without a display the picture surface cannot be made: logged, the title set all the same.
    EXPECT_EQ(Log(), "Failed to load picture: " + platform.tempDir + "puzzle1.bmp\n");
    EXPECT_EQ(platform.WindowText(), "Pictorra Vaze - Autumn");
    // Either permission at 0 switches ghosting off.
    for (auto [ghost, preview] : {std::pair{0, 1}, std::pair{3, 0}}) {
        app.ghosted = 1, options.ghostPermission = ghost, options.previewPermission = preview;
        ASSERT_TRUE(Load(WriteArchive()));
        EXPECT_EQ(app.ghosted, 0) << ghost << " " << preview;
    }
    // A restored position keeps its clock and cut.
    puzzle.restoringPosition = 1;
    puzzle.options.cutName = "small";
    clock.seconds = 500;
    ASSERT_TRUE(Load(WriteArchive()));
    EXPECT_EQ(std::tuple(clock.seconds, puzzle.options.cutName, cellSize, puzzle.cutStyle),
              std::tuple(500u, "small", 16, 0));
}

TEST_F(LoadPuzzleArchiveTest, UnusableArchivesAreRefusedWithTheirLogLine) {
    const std::string missing = platform.tempDir + "missing";
    const std::string noOptions = WriteEntries({{"picture", picture, false}});
    EXPECT_FALSE(Load(missing) || Load(noOptions));
    const std::string noPicture = WriteEntries({{"options", ToBytes("bmp\r\nlarge\r\n"), true}});
    EXPECT_FALSE(Load(noPicture));
    EXPECT_EQ(Log(), "Failed to load archive: " + missing + "\nFailed to load options from archive: " +
                         noOptions + "\nFailed to load picture from archive: " + noPicture + "\n");
    // An unknown picture type fails without a word.
    const std::string path =
        WriteEntries({{"options", ToBytes("BMP\r\nlarge\r\n"), false}, {"picture", picture, false}});
    const std::string before = Log();
    EXPECT_FALSE(Load(path));
    EXPECT_EQ(Log(), before);
    // Nothing at all while the loader is busy.
    puzzle.loaderBusy = true;
    EXPECT_FALSE(Load(WriteArchive()));
    EXPECT_EQ(puzzle.archivePath, path);
}

TEST_F(LoadPuzzleArchiveTest, AnUnknownCutWithoutACellSizeIsRefusedNotDividedBy) {
    options.cutName = "Medium";
    const std::string path = WriteArchive();
    puzzle.cutStyle = 5;
    EXPECT_FALSE(Load(path));
    EXPECT_EQ(Log(), "Failed to load archive: " + path + "\n");
    EXPECT_FALSE(std::filesystem::exists(platform.tempDir + "pic"));
    // A side list's cell size beyond reason is refused the same way.
    cellSize = 100000;
    EXPECT_FALSE(Load(path));
    // With a cell size from the side list the unknown cut keeps it and the old style.
    cellSize = 32;
    EXPECT_TRUE(Load(path));
    EXPECT_EQ(std::pair(cellSize, puzzle.cutStyle), std::pair(32, 5));
}
