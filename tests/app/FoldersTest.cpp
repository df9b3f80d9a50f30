#include "app/Globals.h"
#include "platform/RunFolder.h"
#include "support/GameFixture.h"
#include "support/PictureFiles.h"

#include <cstdlib>
#include <unistd.h>

namespace fs = std::filesystem;

static std::string ReadLog(const fs::path& path) {
    return (std::stringstream() << std::ifstream(path).rdbuf()).str();
}

using FoldersTest = GameFixture;

TEST_F(FoldersTest, WithoutItsStateFolderTheGameWritesOnlyIntoAPrivateFolderOfItsOwn) {
    const fs::path started = temp.Path() / "started-here", before = fs::current_path();
    fs::create_directories(started), fs::create_directories(temp.Path() / "tmp");
    fs::current_path(started);
    ::setenv("TMPDIR", temp.File("tmp").c_str(), 1);
    Publish(64, 64, "square");
    WriteBytes(temp.File("plain"), {1});
    const std::string fallback = temp.File("tmp/pictorra-vaze-" + std::to_string(::geteuid())) + "/";
    platform->tempDir.clear();
    ASSERT_TRUE(Start() && PumpUntilLoaded());
    EXPECT_TRUE(g_stateDirectory == fallback && !g_puzzle->pieces.empty());
    EXPECT_TRUE(fs::exists(fallback + "DUVereLog.txt")) << "the log is kept there too";
    GameShutdown();
    // Nor a temporary folder: the player is told and the game does not start.
    ::setenv("TMPDIR", temp.File("plain").c_str(), 1);
    platform->messageBoxes.clear();
    EXPECT_FALSE(Start());
    EXPECT_NE(platform->messageBoxes.at(0).text.find("no private folder"), std::string::npos);
    ::unsetenv("TMPDIR");
    fs::current_path(before);
    EXPECT_TRUE(fs::is_empty(started));
}

// Another copy already running in the same state folder: this one cuts its picture in a run
// folder of its own, writes a log of its own, and leaves the other's files alone.
TEST_F(FoldersTest, ACopyStartedBesideARunningOneKeepsItsOwnFilesAndLog) {
    const std::string state = temp.File("state") + "/";
    RunFolder other(state);
    WriteBytes(state + other.LogName(), {'x'});
    Load(64, 64);
    const std::string own = g_tempDirectory;
    EXPECT_TRUE(own.rfind(state + "run-", 0) == 0 && own != other.Path()) << own;
    EXPECT_EQ(std::distance(fs::directory_iterator(other.Path()), fs::directory_iterator()), 1)
        << "its lock only";
    EXPECT_NE(ReadLog(state + g_runFolder->LogName()).find("OpenPackFile " + platform->executablePath),
              std::string::npos);
    GameShutdown();
    EXPECT_EQ(std::pair(fs::exists(own), ReadBytes(state + other.LogName())), std::pair(false, Bytes{'x'}));
}
