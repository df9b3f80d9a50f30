#include "platform/RunFolder.h"
#include "support/PictureFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

namespace fs = std::filesystem;

TEST(RunFolder, EachCopyHasItsOwnFolderAndLogAndLeftoversOfEndedCopiesAreCleared) {
    TempDir state;
    // Left by a copy that ended without clearing up: its folder, unlocked, and its log.
    fs::create_directories(state.Path() / "run-gone12");
    WriteBytes(state.File("run-gone12/lock"), {});
    WriteBytes(state.File("DUVereLog-gone12.txt"), {'x'});
    WriteBytes(state.File("Autumn.sav"), {7});

    auto first = std::make_unique<RunFolder>(state.Str());
    RunFolder second(state.Str());
    EXPECT_FALSE(fs::exists(state.Path() / "run-gone12") || fs::exists(state.File("DUVereLog-gone12.txt")));
    EXPECT_TRUE(fs::exists(state.File("Autumn.sav"))) << "only what belonged to ended copies goes";
    ASSERT_TRUE(fs::is_directory(first->Path()) && fs::is_directory(second.Path()) && first->Path() != second.Path());
    EXPECT_EQ(fs::path(second.Path()).parent_path().parent_path(), state.Path());
    const std::string tag = fs::path(second.Path()).parent_path().filename().string().substr(4);
    EXPECT_EQ(first->LogName() + " " + second.LogName(), "DUVereLog.txt DUVereLog-" + tag + ".txt");

    // A third copy leaves the running ones alone; once the first has ended the next one
    // writes the usual log.
    EXPECT_TRUE(!RunFolder(state.Str()).Path().empty() && fs::is_directory(first->Path()));
    const std::string gone = first->Path();
    EXPECT_FALSE((first.reset(), fs::exists(gone)));
    EXPECT_EQ(RunFolder(state.Str()).LogName(), "DUVereLog.txt");
    EXPECT_TRUE(RunFolder("").Path().empty() && RunFolder(state.File("Autumn.sav") + "/").Path().empty());
}
