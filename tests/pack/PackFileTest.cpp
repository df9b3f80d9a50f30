#include "PackTestFiles.h"
#include "PackWriter.h"
#include "app/Globals.h"
#include "pack/CPackFile.h"
#include "pack/PackFormat.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

// The marker bytes, spelt out only in tests.
const std::vector<std::uint8_t> kMarker = {0x44, 0x55, 0x88};

std::vector<std::uint8_t> ProgramWithPack(const std::vector<publish::PackEntrySource>& entries,
                                          std::size_t programSize = 1000) {
    std::vector<std::uint8_t> image(programSize, 0x90);
    std::string error;
    EXPECT_TRUE(publish::AppendPackToImage(&image, entries, &error)) << error;
    return image;
}

class PackFileTest : public ::testing::Test {
  protected:
    void SetUp() override { g_tempDirectory = dir.Str(); }
    void TearDown() override { g_tempDirectory.clear(); }

    std::string Write(const std::vector<std::uint8_t>& bytes, const std::string& name = "game.exe") {
        std::string path = dir.File(name);
        WriteBytes(path, bytes);
        return path;
    }

    TempDir dir;
    CPackFile pack;
};

TEST_F(PackFileTest, MarkerIsSearchedOnlyFromTheSearchOffset) {
    // A marker that starts just before the offset is not a pack, even though two of its
    // bytes lie beyond it; the real pack further on is found.
    std::vector<std::uint8_t> image(kPackSearchOffset - 1, 0);
    image.insert(image.end(), kMarker.begin(), kMarker.end());
    image.resize(kPackSearchOffset + 100, 0);
    std::vector<std::uint8_t> pack1;
    std::string error;
    ASSERT_TRUE(publish::BuildPack({{"a", Bytes("right")}}, &pack1, &error));
    image.insert(image.end(), pack1.begin(), pack1.end());
    ASSERT_TRUE(pack.OpenPackFile(Write(image), kPackSearchOffset));
    ASSERT_TRUE(pack.ExtractEntry("a", dir.File("out")));
    EXPECT_EQ(ReadText(dir.File("out")), "right");

    // A marker exactly at the offset starts the directory right after it.
    std::vector<std::uint8_t> exact(kPackSearchOffset, 0);
    exact.insert(exact.end(), pack1.begin(), pack1.end());
    ASSERT_TRUE(pack.OpenPackFile(Write(exact), kPackSearchOffset));
    EXPECT_EQ(pack.dataBase, kPackSearchOffset + 3 + 4 + 4 + 1 + 8);

    // Only a marker before the offset, or a file shorter than it: no pack.
    std::vector<std::uint8_t> early(kPackSearchOffset - 3, 0);
    early.insert(early.end(), kMarker.begin(), kMarker.end());
    early.resize(kPackSearchOffset + 50, 0);
    EXPECT_FALSE(pack.OpenPackFile(Write(early), kPackSearchOffset));
    EXPECT_EQ(pack.dataBase, 0u);
    EXPECT_FALSE(pack.OpenPackFile(Write(std::vector<std::uint8_t>(5000, 0)), kPackSearchOffset));
    EXPECT_FALSE(pack.OpenPackFile(dir.File("missing.exe"), kPackSearchOffset));
    EXPECT_FALSE(pack.ExtractEntry("a", dir.File("out2")));
}

TEST_F(PackFileTest, EmptyDirectoryOpensButFindsNothing) {
    for (std::int32_t count : {0, -5}) {
        std::vector<std::uint8_t> image(kPackSearchOffset, 0);
        image.insert(image.end(), kMarker.begin(), kMarker.end());
        PutLe32(&image, static_cast<std::uint32_t>(count));
        ASSERT_TRUE(pack.OpenPackFile(Write(image), kPackSearchOffset)) << count;
        EXPECT_TRUE(pack.directory.empty());
        EXPECT_EQ(pack.FindEntry("puzzlefile"), nullptr);
        EXPECT_FALSE(pack.ExtractEntry("puzzlefile", dir.File("out")));
    }
}

TEST_F(PackFileTest, LookupIsExactAndTheFirstDuplicateWins) {
    auto image = ProgramWithPack({{"click.wav", Bytes("first")},
                                  {"click.wav", Bytes("second")},
                                  {"Rotate.wav", Bytes("upper")},
                                  {"empty", {}}});
    ASSERT_TRUE(pack.OpenPackFile(Write(image), kPackSearchOffset));
    ASSERT_EQ(pack.directory.size(), 4u);

    ASSERT_TRUE(pack.ExtractEntry("click.wav", dir.File("click")));
    EXPECT_EQ(ReadText(dir.File("click")), "first");
    EXPECT_EQ(pack.FindEntry("Click.wav"), nullptr);
    EXPECT_EQ(pack.FindEntry("rotate.wav"), nullptr);
    EXPECT_FALSE(pack.ExtractEntry("Click.wav", dir.File("none")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("none")));

    // An empty entry gives an empty file, replacing whatever was there.
    WriteBytes(dir.File("temp"), Bytes("old contents"));
    std::string path;
    ASSERT_TRUE(pack.ExtractToTemp("empty", "temp", &path));
    EXPECT_EQ(path, dir.Str() + "temp");
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
}

TEST_F(PackFileTest, EntriesReachingPastTheEndAreCutShort) {
    std::vector<std::uint8_t> image(kPackSearchOffset, 0);
    image.insert(image.end(), kMarker.begin(), kMarker.end());
    PutLe32(&image, 3);
    auto entry = [&](const std::string& name, std::uint32_t start, std::uint32_t end) {
        PutLe32(&image, static_cast<std::uint32_t>(name.size()));
        image.insert(image.end(), name.begin(), name.end());
        PutLe32(&image, start);
        PutLe32(&image, end);
    };
    entry("short", 2, 100000);
    entry("beyond", 0xFFFFFF00u, 0xFFFFFFFFu);
    entry("backwards", 4, 2);
    const std::string data = "0123456789";
    image.insert(image.end(), data.begin(), data.end());
    ASSERT_TRUE(pack.OpenPackFile(Write(image), kPackSearchOffset));

    ASSERT_TRUE(pack.ExtractEntry("short", dir.File("short")));
    EXPECT_EQ(ReadText(dir.File("short")), "23456789");
    ASSERT_TRUE(pack.ExtractEntry("beyond", dir.File("beyond")));
    EXPECT_EQ(std::filesystem::file_size(dir.File("beyond")), 0u);
    // An end before the start is a broken entry, not a copy of the rest of the file.
    EXPECT_FALSE(pack.ExtractEntry("backwards", dir.File("backwards")));
}

TEST_F(PackFileTest, HostileDirectoriesFailCleanly) {
    auto header = [](std::int32_t count) {
        std::vector<std::uint8_t> image(kPackSearchOffset, 0);
        image.insert(image.end(), {0x44, 0x55, 0x88});
        PutLe32(&image, static_cast<std::uint32_t>(count));
        return image;
    };

    // A name one byte too long for the reader's field.
    auto longName = header(1);
    PutLe32(&longName, 256);
    longName.insert(longName.end(), 256 + 8, 'x');
    EXPECT_FALSE(pack.OpenPackFile(Write(longName), kPackSearchOffset));

    // The longest name that fits is accepted.
    auto maxName = header(1);
    PutLe32(&maxName, 255);
    maxName.insert(maxName.end(), 255, 'n');
    PutLe32(&maxName, 0);
    PutLe32(&maxName, 0);
    ASSERT_TRUE(pack.OpenPackFile(Write(maxName), kPackSearchOffset));
    EXPECT_NE(pack.FindEntry(std::string(255, 'n')), nullptr);

    // A count far beyond what the file holds is refused before anything is read.
    auto hugeCount = header(0x7FFFFFFF);
    hugeCount.insert(hugeCount.end(), 100, 0);
    EXPECT_FALSE(pack.OpenPackFile(Write(hugeCount), kPackSearchOffset));

    // Directories cut off inside the count, a name length, a name and an offset.
    auto base = header(2);
    PutLe32(&base, 1);
    base.push_back('a');
    PutLe32(&base, 0);
    PutLe32(&base, 1);
    PutLe32(&base, 5);
    base.insert(base.end(), {'b', 'c', 'd', 'e', 'f'});
    PutLe32(&base, 0);
    PutLe32(&base, 1);
    for (std::size_t cut = kPackSearchOffset + 3; cut < base.size(); ++cut) {
        std::vector<std::uint8_t> truncated(base.begin(), base.begin() + static_cast<long>(cut));
        EXPECT_FALSE(pack.OpenPackFile(Write(truncated), kPackSearchOffset)) << cut;
        EXPECT_TRUE(pack.directory.empty());
        EXPECT_EQ(pack.dataBase, 0u);
    }
    EXPECT_TRUE(pack.OpenPackFile(Write(base), kPackSearchOffset));
    EXPECT_EQ(pack.directory.size(), 2u);
}

TEST_F(PackFileTest, WriterPadsShortProgramsAndRefusesOnesHoldingTheMarker) {
    std::string error;
    auto image = ProgramWithPack({{"x", Bytes("y")}}, 10);
    EXPECT_EQ(publish::FindPackMarker(image), static_cast<std::int64_t>(kPackSearchOffset));

    // A program longer than the search offset keeps every byte; the pack follows it.
    std::vector<std::uint8_t> longProgram(kPackSearchOffset + 7, 0x11);
    std::vector<std::uint8_t> copy = longProgram;
    ASSERT_TRUE(publish::AppendPackToImage(&copy, {{"x", Bytes("y")}}, &error)) << error;
    EXPECT_TRUE(std::equal(longProgram.begin(), longProgram.end(), copy.begin()));
    EXPECT_EQ(publish::FindPackMarker(copy), static_cast<std::int64_t>(longProgram.size()));

    // Publishing an already published program is refused with a reason.
    error.clear();
    EXPECT_FALSE(publish::AppendPackToImage(&image, {{"x", Bytes("y")}}, &error));
    EXPECT_NE(error.find("marker"), std::string::npos);

    // The marker before the search offset does not matter to the game, nor to the writer.
    std::vector<std::uint8_t> early(1000, 0);
    early.insert(early.begin() + 10, kMarker.begin(), kMarker.end());
    EXPECT_TRUE(publish::AppendPackToImage(&early, {}, &error)) << error;

    std::vector<std::uint8_t> plain(100, 0);
    EXPECT_FALSE(publish::AppendPackToImage(&plain, {{std::string(256, 'n'), {}}}, &error));
    EXPECT_NE(error.find("255"), std::string::npos);

    // The file variant writes a program the reader opens.
    WriteBytes(dir.File("bare.exe"), std::vector<std::uint8_t>(300, 7));
    ASSERT_TRUE(publish::AppendPack(dir.File("bare.exe"), {{"puzzlefile", Bytes("archive")}},
                                    dir.File("out.exe"), &error))
        << error;
    ASSERT_TRUE(pack.OpenPackFile(dir.File("out.exe"), kPackSearchOffset));
    ASSERT_TRUE(pack.ExtractToTemp("puzzlefile", "Out", nullptr));
    EXPECT_EQ(ReadText(dir.File("Out")), "archive");
    EXPECT_FALSE(publish::AppendPack(dir.File("out.exe"), {}, dir.File("again.exe"), &error));
    EXPECT_FALSE(std::filesystem::exists(dir.File("again.exe")));
}

TEST(PackMarker, CoreLibraryNeverHoldsTheMarkerBytes) {
    // The game scans its own file for the marker, so its code must never contain it.
    std::string library = ReadText(std::string(PICTORRA_BINARY_DIR) + "/libpictorra_core.a");
    ASSERT_FALSE(library.empty());
    EXPECT_EQ(library.find(std::string("\x44\x55\x88")), std::string::npos);
}

} // namespace
