#include "display/CSurface.h"
#include "pack/Loader.h"
#include "support/GameFixture.h"
#include "support/PictureFiles.h"

#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

static std::string ReadLog(const fs::path& path) { return (std::stringstream() << std::ifstream(path).rdbuf()).str(); }

using FoldersTest = GameFixture;

TEST_F(FoldersTest, WithoutItsStateFolderTheGameWritesOnlyIntoAPrivateFolderOfItsOwn) {
    const fs::path started = temp.Path() / "started-here", before = fs::current_path();
    fs::create_directories(started), fs::create_directories(temp.Path() / "tmp");
    fs::current_path(started);
    ::setenv("TMPDIR", temp.File("tmp").c_str(), 1);
    Publish(64, 64, "square");
    WriteBytes(temp.File("plain"), {1});
    const std::string fallback = temp.File("tmp/pictorra-vaze-" + std::to_string(::geteuid())) + "/";
    // No state folder at all, or a plain file where it should be.
    for (const std::string& state : {std::string(), temp.File("plain") + "/"}) {
        platform->tempDir = state;
        ASSERT_TRUE(Start() && PumpUntilLoaded()) << state;
        EXPECT_TRUE(g_stateDirectory == fallback && !g_puzzle->pieces.empty());
        EXPECT_NE(ReadLog(fallback + "DUVereLog.txt").find("working files are kept in " + fallback), std::string::npos);
        GameShutdown();
    }
    // Nor a temporary folder: the player is told and the game does not start.
    ::setenv("TMPDIR", temp.File("plain").c_str(), 1);
    platform->messageBoxes.clear();
    EXPECT_FALSE(Start());
    EXPECT_NE(platform->messageBoxes.at(0).text.find("no private folder"), std::string::npos);
    ::unsetenv("TMPDIR");
    fs::current_path(before);
    EXPECT_TRUE(fs::is_empty(started));
}

// Two copies in two processes share one state folder; each cuts its picture, waits for the
// other to have cut its own, and cuts again (a reset).
TEST_F(FoldersTest, TwoCopiesStartedTogetherEachKeepTheirOwnPictureAndLog) {
    const std::string wide = PublishGradient(temp.Str(), 160, 96, "square", "Wide", temp.File("Wide"), &summary).output;
    const std::string tall = PublishGradient(temp.Str(), 96, 160, "square", "Tall", temp.File("Tall"), &summary).output;
    int ready[2], resume[2];
    ASSERT_TRUE(::pipe(ready) == 0 && ::pipe(resume) == 0);
    auto run = [&](const std::string& program, int w, int h, int tell, int await) {
        platform->executablePath = program;
        const auto ownPicture = [&] {
            const CSurface* picture = g_puzzle->pictureSurface;
            return picture && picture->Width() == w && picture->Height() == h && g_puzzle->cols * S() == w;
        };
        bool own = Start() && PumpUntilLoaded() && ownPicture();
        char byte = 'x';
        own = ::write(tell, &byte, 1) == 1 && ::read(await, &byte, 1) == 1 && own;
        own = own && RecutPuzzle() && PumpUntilLoaded() && ownPicture();
        GameShutdown();
        return own;
    };
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) _exit(run(tall, 96, 160, ready[1], resume[0]) ? 0 : 1);
    EXPECT_TRUE(run(wide, 160, 96, resume[1], ready[0]));
    int status = 0;
    EXPECT_TRUE(::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "the other copy saw another picture";

    // No run folder is left; each copy's log holds its own start, neither emptied the other's.
    std::string logs;
    for (const auto& entry : fs::directory_iterator(temp.Path() / "state")) {
        const std::string name = entry.path().filename().string();
        EXPECT_NE(name.rfind("run-", 0), 0u) << name;
        if (name.rfind("DUVereLog", 0) == 0 && name.find(".txt") != std::string::npos) logs += ReadLog(entry.path());
    }
    for (const std::string& program : {wide, tall})
        EXPECT_NE(logs.find("OpenPackFile " + program), std::string::npos) << logs;
    EXPECT_TRUE(fs::exists(temp.Path() / "state" / "DUVereLog.txt"));
}
