#include "platform/FileAccess.h"
#include "platform/SystemPaths.h"
#include "support/PictureFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(SystemPaths, StateFolderIsPrivateOwnFileIsFoundAndFilesAreReadWithinABound) {
    EXPECT_EQ(StateBase("/x/state", "/home/me"), fs::path("/x/state"));
    EXPECT_EQ(StateBase("", "/home/me"), fs::path("/home/me/.local/state"));
    EXPECT_TRUE(StateBase(nullptr, "").empty());
    EXPECT_EQ(PrivateStateDirectory(fs::path()), "");

    TempDir dir;
    const std::string made = PrivateStateDirectory(dir.Path() / "new" / "state");
    EXPECT_EQ(made, dir.File("new/state/pictorra-vaze") + "/");
    fs::create_directories(dir.Path() / "pictorra-vaze");
    fs::permissions(dir.Path() / "pictorra-vaze", fs::perms::all);
    EXPECT_EQ(PrivateStateDirectory(dir.Path()), dir.Str() + "pictorra-vaze/");
    for (const std::string& folder : {made, dir.Str() + "pictorra-vaze"})
        EXPECT_EQ(fs::status(folder).permissions(), fs::perms::owner_all) << folder;

    // A file where the folder should be is no place for the game's files.
    fs::create_directories(dir.Path() / "taken");
    WriteBytes(dir.File("taken/pictorra-vaze"), {1});
    EXPECT_EQ(PrivateStateDirectory(dir.Path() / "taken"), "");

    // The program finds its own file; whole files are read only within their bound.
    const fs::path self = OwnExecutablePath();
    EXPECT_TRUE(self.is_absolute());
    EXPECT_EQ(self.filename(), "test_platform");
    EXPECT_TRUE(fs::is_regular_file(self));
    WriteBytes(dir.File("ten"), Bytes(10, 7));
    std::vector<std::uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(ReadWholeFile(dir.File("ten"), 10, bytes, &error)) << error;
    EXPECT_EQ(bytes, Bytes(10, 7));
    EXPECT_FALSE(ReadWholeFile(dir.File("ten"), 9, bytes, &error));
    EXPECT_TRUE(bytes.empty());
    EXPECT_NE(error.find("too large"), std::string::npos);
    EXPECT_FALSE(ReadWholeFile(dir.File("missing"), 10, bytes, &error));
    EXPECT_FALSE(ReadWholeFile(dir.Str(), 1 << 20, bytes, nullptr)) << "a folder is no file";
}
