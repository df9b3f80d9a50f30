#include "ArchiveWriter.h"
#include "PackTestFiles.h"
#include "app/CMainApp.h"
#include "app/Globals.h"
#include "app/Log.h"
#include "clock/CGameClock.h"
#include "imaging/BmpCodec.h"
#include "play/CPuzzle.h"
#include "support/PublishedPuzzle.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class LoadPuzzleArchiveTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetPlatform(&platform);
        g_tempDirectory = platform.tempDir;
        LogInit(platform.tempDir + "DUVereLog.txt");
        g_puzzle = &puzzle;
        g_clock = &clock;
        g_mainApp = &app;
        g_sideList = nullptr;
        cellSize = 0;
        app.ghosted = 1;
        options.pictureType = "bmp";
        options.cutName = "large";
        options.title = "Autumn";
    }
    void TearDown() override {
        g_puzzle = nullptr;
        g_clock = nullptr;
        g_mainApp = nullptr;
        g_tempDirectory.clear();
        cellSize = 0;
    }

    std::string Log() { return LogBody(platform.tempDir + "DUVereLog.txt"); }

    std::string WriteArchive(bool scramble = true) {
        std::vector<std::uint8_t> archive;
        std::string error;
        EXPECT_TRUE(publish::BuildPuzzleArchive(options, picture, scramble, &archive, &error)) << error;
        std::string path = platform.tempDir + "Autumn";
        SaveBytes(path, archive);
        return path;
    }
    std::string WriteEntries(const std::vector<publish::ArchiveEntrySource>& entries) {
        std::string error;
        std::string path = platform.tempDir + "Broken";
        EXPECT_TRUE(publish::WriteArchive(path, entries, &error)) << error;
        return path;
    }

    struct PlatformReset {
        ~PlatformReset() { SetPlatform(nullptr); }
    } platformReset;
    TempDir temp;
    ScriptedPlatform platform{temp.Str()};
    CMainApp app;
    CGameClock clock;
    CPuzzle puzzle;
    publish::ArchiveOptions options;
    std::vector<std::uint8_t> picture = EncodeBmp24(GradientPicture(40, 20));
};

TEST_F(LoadPuzzleArchiveTest, AGoodArchiveSetsTheCutAndLeavesTheBitmapForCutting) {
    const std::string path = WriteArchive();
    clock.seconds = 77;
    puzzle.positionChanged = 1;
    ASSERT_TRUE(puzzle.LoadPuzzleArchive(path));

    EXPECT_EQ(puzzle.archivePath, path);
    EXPECT_EQ(clock.seconds, 0u);
    EXPECT_EQ(puzzle.options.title, "Autumn");
    EXPECT_EQ(puzzle.cutStyle, 2);
    EXPECT_EQ(cellSize, 48);
    EXPECT_EQ(app.ghosted, 1);
    EXPECT_EQ(ReadText(platform.tempDir + "pic"), std::string(picture.begin(), picture.end()));
    EXPECT_TRUE(std::filesystem::exists(platform.tempDir + "puzzle1.bmp"));
    // Without a display the picture surface cannot be made: the cutting step says so and
    // the title is set all the same.
    EXPECT_EQ(Log(), "Failed to load picture: " + platform.tempDir + "puzzle1.bmp\n");
    ASSERT_FALSE(platform.titles.empty());
    EXPECT_NE(platform.titles.back().find("Autumn"), std::string::npos);
}

TEST_F(LoadPuzzleArchiveTest, EitherPermissionAtZeroSwitchesGhostingOff) {
    for (auto [ghost, preview] : {std::pair{0, 1}, std::pair{3, 0}}) {
        app.ghosted = 1;
        options.ghostPermission = ghost;
        options.previewPermission = preview;
        ASSERT_TRUE(puzzle.LoadPuzzleArchive(WriteArchive()));
        EXPECT_EQ(app.ghosted, 0) << ghost << " " << preview;
    }
}

TEST_F(LoadPuzzleArchiveTest, ARestoredPositionKeepsItsClockAndCut) {
    puzzle.restoringPosition = 1;
    puzzle.options.cutName = "small";
    clock.seconds = 500;
    ASSERT_TRUE(puzzle.LoadPuzzleArchive(WriteArchive()));
    EXPECT_EQ(clock.seconds, 500u);
    EXPECT_EQ(puzzle.options.cutName, "small");
    EXPECT_EQ(cellSize, 16);
    EXPECT_EQ(puzzle.cutStyle, 0);
}

TEST_F(LoadPuzzleArchiveTest, UnusableArchivesAreRefusedWithTheirLogLine) {
    const std::string missing = platform.tempDir + "missing";
    EXPECT_FALSE(puzzle.LoadPuzzleArchive(missing));
    const std::string noOptions = WriteEntries({{"picture", picture, false}});
    EXPECT_FALSE(puzzle.LoadPuzzleArchive(noOptions));
    const std::string noPicture = WriteEntries({{"options", ToBytes("bmp\r\nlarge\r\n"), true}});
    EXPECT_FALSE(puzzle.LoadPuzzleArchive(noPicture));
    EXPECT_EQ(Log(), "Failed to load archive: " + missing + "\nFailed to load options from archive: " +
                         noOptions + "\nFailed to load picture from archive: " + noPicture + "\n");

    // An unknown picture type fails without a word.
    options.pictureType = "bmp";
    const std::string path =
        WriteEntries({{"options", ToBytes("BMP\r\nlarge\r\n"), false}, {"picture", picture, false}});
    const std::string before = Log();
    EXPECT_FALSE(puzzle.LoadPuzzleArchive(path));
    EXPECT_EQ(Log(), before);

    // Nothing at all while the loader is busy.
    puzzle.loaderBusy = true;
    EXPECT_FALSE(puzzle.LoadPuzzleArchive(WriteArchive()));
    EXPECT_EQ(puzzle.archivePath, path);
    puzzle.loaderBusy = false;
}

TEST_F(LoadPuzzleArchiveTest, AnUnknownCutWithoutACellSizeIsRefusedNotDividedBy) {
    options.cutName = "Medium";
    const std::string path = WriteArchive();
    puzzle.cutStyle = 5;
    EXPECT_FALSE(puzzle.LoadPuzzleArchive(path));
    EXPECT_EQ(Log(), "Failed to load archive: " + path + "\n");
    EXPECT_FALSE(std::filesystem::exists(platform.tempDir + "pic"));

    // A side list's cell size beyond reason is refused the same way.
    cellSize = 100000;
    EXPECT_FALSE(puzzle.LoadPuzzleArchive(path));

    // With a cell size from the side list the unknown cut keeps it and the old style.
    cellSize = 32;
    EXPECT_TRUE(puzzle.LoadPuzzleArchive(path));
    EXPECT_EQ(cellSize, 32);
    EXPECT_EQ(puzzle.cutStyle, 5);
}

} // namespace
