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
    WriteBytes(state.File("run-gone12/pic"), {1, 2});
    WriteBytes(state.File("DUVereLog-gone12.txt"), {'x'});
    WriteBytes(state.File("Autumn.sav"), {7});

    auto first = std::make_unique<RunFolder>(state.Str());
    auto second = std::make_unique<RunFolder>(state.Str());
    EXPECT_FALSE(fs::exists(state.Path() / "run-gone12"));
    EXPECT_FALSE(fs::exists(state.File("DUVereLog-gone12.txt")));
    EXPECT_TRUE(fs::exists(state.File("Autumn.sav"))) << "only what belonged to ended copies goes";

    ASSERT_FALSE(first->Path().empty() || second->Path().empty());
    EXPECT_NE(first->Path(), second->Path());
    for (const RunFolder* copy : {first.get(), second.get()}) {
        EXPECT_EQ(fs::path(copy->Path()).parent_path().parent_path(), state.Path());
        EXPECT_TRUE(fs::is_directory(copy->Path()));
    }
    EXPECT_EQ(first->LogName(), "DUVereLog.txt");
    const std::string tag = fs::path(second->Path()).parent_path().filename().string().substr(4);
    EXPECT_EQ(second->LogName(), "DUVereLog-" + tag + ".txt");

    // A third copy leaves the two running ones alone.
    RunFolder third(state.Str());
    EXPECT_TRUE(fs::is_directory(first->Path()) && fs::is_directory(second->Path()));

    const std::string gone = first->Path();
    first.reset();
    EXPECT_FALSE(fs::exists(gone));
    // With the first copy gone the next one starting writes the usual log.
    EXPECT_EQ(RunFolder(state.Str()).LogName(), "DUVereLog.txt");

    EXPECT_TRUE(RunFolder("").Path().empty());
    EXPECT_TRUE(RunFolder(state.File("Autumn.sav") + "/").Path().empty());
}
