#include "display/CSurface.h"
#include "pack/Loader.h"
#include "support/GameFixture.h"
#include "support/PictureFiles.h"

#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const std::string& value) : name(name) {
        if (const char* old = std::getenv(name)) before = old, had = true;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() { had ? ::setenv(name, before.c_str(), 1) : ::unsetenv(name); }

  private:
    const char* name;
    std::string before;
    bool had = false;
};

// Runs the test from `dir` and goes back where it was.
class ScopedCurrentPath {
  public:
    explicit ScopedCurrentPath(const fs::path& dir) : before(fs::current_path()) { fs::current_path(dir); }
    ~ScopedCurrentPath() { fs::current_path(before); }

  private:
    fs::path before;
};

std::string ReadLog(const fs::path& path) { return (std::stringstream() << std::ifstream(path).rdbuf()).str(); }

std::vector<std::string> Names(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}
} // namespace

using FoldersTest = GameFixture;

TEST_F(FoldersTest, WithoutItsStateFolderTheGameWritesOnlyIntoAPrivateFolderOfItsOwn) {
    const fs::path started = temp.Path() / "started-here";
    fs::create_directories(started);
    fs::create_directories(temp.Path() / "tmp");
    ScopedCurrentPath cwd(started);
    ScopedEnv tmpdir("TMPDIR", temp.File("tmp"));
    Publish(64, 64, "square");
    WriteBytes(temp.File("plain"), {1});

    // No state folder at all, or a plain file where it should be.
    for (const std::string& state : {std::string(), temp.File("plain") + "/"}) {
        platform->tempDir = state;
        ASSERT_TRUE(Start()) << state;
        ASSERT_TRUE(PumpUntilLoaded());
        EXPECT_GT(g_puzzle->pieces.size(), 0u);
        const std::string fallback = temp.File("tmp/pictorra-vaze-" + std::to_string(::geteuid())) + "/";
        EXPECT_EQ(g_stateDirectory, fallback);
        EXPECT_NE(ReadLog(fallback + "DUVereLog.txt").find("working files are kept in " + fallback),
                  std::string::npos);
        GameShutdown();
        EXPECT_TRUE(fs::is_empty(started)) << Names(started).front();
    }

    // Nor a temporary folder: the player is told and the game does not start.
    ScopedEnv noTemp("TMPDIR", temp.File("plain"));
    platform->messageBoxes.clear();
    EXPECT_FALSE(Start());
    ASSERT_EQ(platform->messageBoxes.size(), 1u);
    EXPECT_NE(platform->messageBoxes[0].text.find("no private folder"), std::string::npos);
    EXPECT_EQ(g_mainApp, nullptr);
    GameShutdown();
    EXPECT_TRUE(fs::is_empty(started));
}

// Two copies of the game run side by side in two processes sharing one state folder; each
// cuts, and cuts again, its own picture.
TEST_F(FoldersTest, TwoCopiesStartedTogetherEachKeepTheirOwnPictureAndLog) {
    const std::string wide = PublishGradient(temp.Str(), 160, 96, "square", "Wide", temp.File("Wide"), &summary).output;
    const std::string tall = PublishGradient(temp.Str(), 96, 160, "square", "Tall", temp.File("Tall"), &summary).output;
    int ready[2], resume[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(resume), 0);
    // Each copy cuts its picture, waits until the other has cut too, then cuts again.
    auto run = [&](const std::string& program, int w, int h, int tell, int await) {
        platform->executablePath = program;
        bool own = Start() && PumpUntilLoaded();
        const auto ownPicture = [&] {
            return g_puzzle->pictureSurface && g_puzzle->pictureSurface->Width() == w &&
                   g_puzzle->pictureSurface->Height() == h && g_puzzle->cols * S() == w && g_puzzle->rows * S() == h;
        };
        own = own && ownPicture();
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
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the other copy saw another picture";

    // Both folders are gone; each copy's log holds its own start, neither emptied the other's.
    const std::vector<std::string> left = Names(temp.Path() / "state");
    EXPECT_EQ(std::count_if(left.begin(), left.end(), [](const std::string& n) { return n.rfind("run-", 0) == 0; }), 0);
    std::string logs;
    for (const std::string& name : left)
        if (name.rfind("DUVereLog", 0) == 0 && name.find(".txt") != std::string::npos) logs += ReadLog(temp.Path() / "state" / name);
    for (const std::string& program : {wide, tall})
        EXPECT_NE(logs.find("OpenPackFile " + program), std::string::npos) << program;
    EXPECT_TRUE(std::count(left.begin(), left.end(), "DUVereLog.txt") == 1) << logs;
}
