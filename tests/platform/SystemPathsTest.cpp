#include "platform/SystemPaths.h"
#include "platform/FileAccess.h"
#include "support/PictureFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <unistd.h>

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

    // The program finds its own file; whole files are read only within their bound.
    const fs::path self = OwnExecutablePath();
    EXPECT_TRUE(self.is_absolute() && self.filename() == "test_platform" && fs::is_regular_file(self));
    WriteBytes(dir.File("ten"), Bytes(10, 7));
    std::vector<std::uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(ReadWholeFile(dir.File("ten"), 10, bytes, &error)) << error;
    EXPECT_EQ(bytes, Bytes(10, 7));
    EXPECT_FALSE(ReadWholeFile(dir.File("ten"), 9, bytes, &error));
    EXPECT_TRUE(bytes.empty() && error.find("too large") != std::string::npos);
    EXPECT_FALSE(ReadWholeFile(dir.File("missing"), 10, bytes, &error));
    EXPECT_FALSE(ReadWholeFile(dir.Str(), 1 << 20, bytes, nullptr)) << "a folder is no file";
}

TEST(SystemPaths, AnUnusableStateFolderFallsBackToAPrivateFolderUnderTheTempRootNeverThroughALink) {
    TempDir dir;
    const fs::path root = dir.Path() / "tmp", victim = dir.Path() / "victim";
    fs::create_directories(root), fs::create_directories(victim);
    fs::permissions(victim, fs::perms::all);
    const std::string usual = (root / ("pictorra-vaze-" + std::to_string(::geteuid()))).string();
    WriteBytes(dir.File("plain"), {1});

    EXPECT_EQ(ChoosePrivateFolder(dir.Str(), root).path, dir.Str());
    for (const std::string& refused : {std::string(), dir.File("plain"), std::string("relative/state")}) {
        const PrivateFolder chosen = ChoosePrivateFolder(refused, root);
        EXPECT_EQ(std::pair(chosen.path, chosen.fallback), std::pair(usual + "/", true)) << refused;
    }
    // A link planted under the usual name, or the name taken by someone else: a new folder.
    for (bool link : {true, false}) {
        fs::remove_all(usual);
        if (link)
            fs::create_directory_symlink(victim, usual);
        else
            fs::create_directory(usual), fs::permissions(usual, fs::perms::all);
        ASSERT_TRUE(link || ::chown(usual.c_str(), ::geteuid() + 4321, 0) == 0);
        const PrivateFolder chosen = ChoosePrivateFolder("", root);
        EXPECT_EQ(chosen.path.rfind(usual + "-", 0), 0u) << chosen.path;
        EXPECT_TRUE(fs::is_directory(chosen.path) &&
                    !fs::is_symlink(chosen.path.substr(0, chosen.path.size() - 1)));
    }
    EXPECT_TRUE(fs::is_empty(victim) && fs::status(victim).permissions() == fs::perms::all);
    EXPECT_EQ(fs::status(usual).permissions(), fs::perms::all) << "someone else's folder is left as it is";
    // No usable temp root either: nothing at all, never a relative path.
    EXPECT_EQ(ChoosePrivateFolder("", dir.Path() / "plain").path + ChoosePrivateFolder("", "tmp").path, "");
}
