#include "PackTestFiles.h"
#include "PackWriter.h"
#include "app/Globals.h"
#include "pack/CPackFile.h"
#include "pack/PackFormat.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// The marker bytes, spelt out only in tests.
const std::vector<std::uint8_t> kMarker = {0x44, 0x55, 0x88};

// A program padded to the search offset, the marker and an entry count.
std::vector<std::uint8_t> Header(std::int32_t count) {
    std::vector<std::uint8_t> image(kPackSearchOffset, 0);
    image.insert(image.end(), kMarker.begin(), kMarker.end());
    PutLe32(&image, static_cast<std::uint32_t>(count));
    return image;
}

void PutEntry(std::vector<std::uint8_t>* image, const std::string& name, std::uint32_t start,
              std::uint32_t end) {
    PutLe32(image, static_cast<std::uint32_t>(name.size()));
    image->insert(image->end(), name.begin(), name.end());
    PutLe32(image, start);
    PutLe32(image, end);
}

class PackFileTest : public ::testing::Test {
  protected:
    void SetUp() override { g_tempDirectory = dir.Str(); }
    void TearDown() override { g_tempDirectory.clear(); }

    bool Open(const std::vector<std::uint8_t>& bytes) {
        SaveBytes(dir.File("game.exe"), bytes);
        return pack.OpenPackFile(dir.File("game.exe"), kPackSearchOffset);
    }
    std::string Extract(const std::string& name) {
        std::filesystem::remove(dir.File("out"));
        return pack.ExtractEntry(name, dir.File("out")) ? ReadText(dir.File("out")) : "<failed>";
    }

    TempDir dir;
    CPackFile pack;
};

TEST_F(PackFileTest, TheMarkerCountsOnlyFromTheSearchOffset) {
    std::vector<std::uint8_t> pack1;
    std::string error;
    ASSERT_TRUE(publish::BuildPack({{"a", ToBytes("right")}}, &pack1, &error));
    // A marker starting just before the offset is not a pack, though two of its bytes lie
    // beyond it; the real pack further on is found.
    std::vector<std::uint8_t> image(kPackSearchOffset - 1, 0);
    image.insert(image.end(), kMarker.begin(), kMarker.end());
    image.resize(kPackSearchOffset + 100, 0);
    image.insert(image.end(), pack1.begin(), pack1.end());
    ASSERT_TRUE(Open(image));
    EXPECT_EQ(Extract("a"), "right");

    // A marker exactly at the offset starts the directory right after it.
    std::vector<std::uint8_t> exact(kPackSearchOffset, 0);
    exact.insert(exact.end(), pack1.begin(), pack1.end());
    ASSERT_TRUE(Open(exact));
    EXPECT_EQ(pack.dataBase, kPackSearchOffset + 3 + 4 + 4 + 1 + 8);

    // Only a marker before the offset, a file shorter than it, or no file: no pack.
    std::vector<std::uint8_t> early(kPackSearchOffset - 3, 0);
    early.insert(early.end(), kMarker.begin(), kMarker.end());
    early.resize(kPackSearchOffset + 50, 0);
    EXPECT_FALSE(Open(early));
    EXPECT_EQ(pack.dataBase, 0u);
    EXPECT_FALSE(Open(std::vector<std::uint8_t>(5000, 0)));
    EXPECT_FALSE(pack.OpenPackFile(dir.File("missing.exe"), kPackSearchOffset));
    EXPECT_EQ(Extract("a"), "<failed>");

    // A count of 0 (or below) opens but finds nothing.
    for (std::int32_t count : {0, -5}) {
        ASSERT_TRUE(Open(Header(count))) << count;
        EXPECT_EQ(pack.FindEntry("puzzlefile"), nullptr);
        EXPECT_EQ(Extract("puzzlefile"), "<failed>");
    }
}

TEST_F(PackFileTest, LookupIsExactAndTheFirstDuplicateWins) {
    std::vector<std::uint8_t> image(1000, 0x90);
    std::string error;
    ASSERT_TRUE(publish::AppendPackToImage(&image,
                                           {{"click.wav", ToBytes("first")},
                                            {"click.wav", ToBytes("second")},
                                            {"Rotate.wav", ToBytes("upper")},
                                            {"empty", {}}},
                                           &error));
    ASSERT_TRUE(Open(image));
    EXPECT_EQ(Extract("click.wav"), "first");
    EXPECT_EQ(pack.FindEntry("rotate.wav"), nullptr);
    EXPECT_EQ(Extract("Click.wav"), "<failed>");
    EXPECT_FALSE(std::filesystem::exists(dir.File("out")));

    // An empty entry gives an empty file, replacing whatever was there.
    SaveBytes(dir.File("temp"), ToBytes("old contents"));
    std::string path;
    ASSERT_TRUE(pack.ExtractToTemp("empty", "temp", &path));
    EXPECT_EQ(path, dir.Str() + "temp");
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
}

TEST_F(PackFileTest, EntriesReachingPastTheEndAreCutShort) {
    auto image = Header(3);
    PutEntry(&image, "short", 2, 100000);
    PutEntry(&image, "beyond", 0xFFFFFF00u, 0xFFFFFFFFu);
    PutEntry(&image, "backwards", 4, 2);
    const std::string data = "0123456789";
    image.insert(image.end(), data.begin(), data.end());
    ASSERT_TRUE(Open(image));
    EXPECT_EQ(Extract("short"), "23456789");
    EXPECT_EQ(Extract("beyond"), "");
    // An end before the start is a broken entry, not a copy of the rest of the file.
    EXPECT_EQ(Extract("backwards"), "<failed>");
}

TEST_F(PackFileTest, HostileDirectoriesFailCleanly) {
    // A name one byte too long for the reader's field; the longest that fits is accepted.
    auto longName = Header(1);
    PutEntry(&longName, std::string(256, 'x'), 0, 0);
    EXPECT_FALSE(Open(longName));
    auto maxName = Header(1);
    PutEntry(&maxName, std::string(255, 'n'), 0, 0);
    ASSERT_TRUE(Open(maxName));
    EXPECT_NE(pack.FindEntry(std::string(255, 'n')), nullptr);

    // A count far beyond what the file holds is refused before anything is read.
    auto hugeCount = Header(0x7FFFFFFF);
    hugeCount.insert(hugeCount.end(), 100, 0);
    EXPECT_FALSE(Open(hugeCount));

    // Directories cut off inside the count, a name length, a name and an offset.
    auto base = Header(2);
    PutEntry(&base, "a", 0, 1);
    PutEntry(&base, "bcdef", 0, 1);
    for (std::size_t cut = kPackSearchOffset + 3; cut < base.size(); ++cut) {
        EXPECT_FALSE(Open(std::vector<std::uint8_t>(base.begin(), base.begin() + static_cast<long>(cut))))
            << cut;
        EXPECT_TRUE(pack.directory.empty());
        EXPECT_EQ(pack.dataBase, 0u);
    }
    EXPECT_TRUE(Open(base));
    EXPECT_EQ(pack.directory.size(), 2u);
}

TEST_F(PackFileTest, WriterPadsShortProgramsAndKeepsLongOnesWhole) {
    std::string error;
    std::vector<std::uint8_t> image(10, 0x90);
    ASSERT_TRUE(publish::AppendPackToImage(&image, {{"x", ToBytes("y")}}, &error));
    EXPECT_EQ(publish::FindPackMarker(image), static_cast<std::int64_t>(kPackSearchOffset));

    // A program longer than the search offset keeps every byte; the pack follows it.
    const std::vector<std::uint8_t> longProgram(kPackSearchOffset + 7, 0x11);
    std::vector<std::uint8_t> copy = longProgram;
    ASSERT_TRUE(publish::AppendPackToImage(&copy, {{"x", ToBytes("y")}}, &error)) << error;
    EXPECT_TRUE(std::equal(longProgram.begin(), longProgram.end(), copy.begin()));
    EXPECT_EQ(publish::FindPackMarker(copy), static_cast<std::int64_t>(longProgram.size()));

    // A name too long for the reader is refused with a reason; a marker before the search
    // offset does not matter.
    std::vector<std::uint8_t> plain(100, 0);
    EXPECT_FALSE(publish::AppendPackToImage(&plain, {{std::string(256, 'n'), {}}}, &error));
    EXPECT_NE(error.find("255"), std::string::npos);
    plain.insert(plain.begin() + 10, kMarker.begin(), kMarker.end());
    EXPECT_TRUE(publish::AppendPackToImage(&plain, {}, &error)) << error;
}

TEST(PackMarker, CoreLibraryNeverHoldsTheMarkerBytes) {
    // The game scans its own file for the marker, so its code must never contain it.
    std::string library = ReadText(std::string(PICTORRA_BINARY_DIR) + "/libpictorra_core.a");
    ASSERT_FALSE(library.empty());
    EXPECT_EQ(library.find(std::string("\x44\x55\x88")), std::string::npos);
}

} // namespace
