#include "PackTestFiles.h"
#include "PackWriter.h"
#include "pack/CPackFile.h"
#include "pack/PackFormat.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

// The marker bytes, spelt out only in tests.
const Bytes kMarker = {0x44, 0x55, 0x88};

// `data` at `offset` in a zeroed image; copied, as GCC 12 -O3 takes a large append for an overflow.
static Bytes Placed(const Bytes& data, std::size_t offset) {
    Bytes image(offset + data.size(), 0);
    std::copy(data.begin(), data.end(), image.begin() + static_cast<std::ptrdiff_t>(offset));
    return image;
}

// `padding` zero bytes, the marker, an entry count and a directory of (name, start, end).
static Bytes Header(std::int32_t count,
                    std::vector<std::tuple<std::string, std::uint32_t, std::uint32_t>> entries = {},
                    std::size_t padding = kPackSearchOffset) {
    Bytes image = Placed(kMarker, padding);
    PutLe(image, static_cast<std::uint32_t>(count), 4);
    for (const auto& [name, start, end] : entries) {
        PutLe(image, static_cast<std::uint32_t>(name.size()), 4);
        image.insert(image.end(), name.begin(), name.end());
        PutLe(image, start, 4), PutLe(image, end, 4);
    }
    return image;
}

class PackFileTest : public ::testing::Test {
  protected:
    bool Open(const Bytes& bytes) {
        WriteBytes(dir.File("game.exe"), bytes);
        return pack.OpenPackFile(dir.File("game.exe"), kPackSearchOffset);
    }
    std::string Extract(const std::string& name) {
        std::filesystem::remove(dir.File("out"));
        return pack.ExtractEntry(name, dir.File("out")) ? ReadText(dir.File("out")) : "<failed>";
    }
    TempDir dir;
    CPackFile pack;
};

TEST_F(PackFileTest, MarkerFromTheSearchOffsetExactLookupHostileDirectoriesAndTheWriter) {
    Bytes pack1;
    std::string error;
    ASSERT_TRUE(publish::BuildPack({{"a", ToBytes("right")}}, &pack1, &error));
    // A marker starting just before the offset is no pack; the real one further on is found.
    Bytes image = Placed(pack1, kPackSearchOffset + 100);
    std::copy(kMarker.begin(), kMarker.end(), image.begin() + kPackSearchOffset - 1);
    ASSERT_TRUE(Open(image));
    EXPECT_EQ(Extract("a"), "right");
    // A marker exactly at the offset starts the directory right after it.
    ASSERT_TRUE(Open(Placed(pack1, kPackSearchOffset)));
    EXPECT_EQ(pack.dataBase, kPackSearchOffset + 3 + 4 + 4 + 1 + 8);
    // Only a marker before the offset, a file shorter than it, or no file: no pack.
    Bytes early = Header(1, {}, kPackSearchOffset - 3);
    early.resize(kPackSearchOffset + 50, 0);
    EXPECT_FALSE(Open(early) || Open(Bytes(5000, 0)) ||
                 pack.OpenPackFile(dir.File("missing.exe"), kPackSearchOffset));
    EXPECT_EQ(std::pair(pack.dataBase, Extract("a")), std::pair(std::uint32_t{0}, std::string("<failed>")));
    // A count of 0 (or below) opens but finds nothing.
    for (std::int32_t count : {0, -5}) {
        ASSERT_TRUE(Open(Header(count))) << count;
        EXPECT_EQ(Extract("puzzlefile"), "<failed>");
    }
    image.assign(1000, 0x90);
    ASSERT_TRUE(publish::AppendPackToImage(&image,
                                           {{"click.wav", ToBytes("first")}, {"click.wav", ToBytes("second")},
                                            {"Rotate.wav", ToBytes("upper")}, {"empty", {}}},
                                           &error));
    ASSERT_TRUE(Open(image));
    EXPECT_EQ(Extract("click.wav"), "first");
    EXPECT_EQ(Extract("Click.wav") + Extract("rotate.wav"), "<failed><failed>");
    EXPECT_FALSE(std::filesystem::exists(dir.File("out")));
    WriteBytes(dir.File("out"), ToBytes("old contents"));
    ASSERT_TRUE(pack.ExtractEntry("empty", dir.File("out")));
    EXPECT_EQ(std::filesystem::file_size(dir.File("out")), 0u);
    image = Header(3, {{"short", 2, 100000}, {"beyond", 0xFFFFFF00u, 0xFFFFFFFFu}, {"backwards", 4, 2}});
    image.insert(image.end(), {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9'});
    ASSERT_TRUE(Open(image));
    // Entries past the end are cut short; an end before the start is refused, not a copy.
    EXPECT_EQ(Extract("short") + "|" + Extract("beyond") + "|" + Extract("backwards"), "23456789||<failed>");
    // A name one byte too long for the reader's field is refused, the longest that fits is
    // accepted, and a count far beyond what the file holds is refused before anything is read.
    Bytes hugeCount = Header(0x7FFFFFFF);
    hugeCount.insert(hugeCount.end(), 100, 0);
    EXPECT_FALSE(Open(Header(1, {{std::string(256, 'x'), 0, 0}})) || Open(hugeCount));
    ASSERT_TRUE(Open(Header(1, {{std::string(255, 'n'), 0, 0}})));
    EXPECT_NE(pack.FindEntry(std::string(255, 'n')), nullptr);
    // Directories cut off inside the count, a name length, a name and an offset.
    const Bytes base = Header(2, {{"a", 0, 1}, {"bcdef", 0, 1}});
    for (std::size_t cut = kPackSearchOffset + 3; cut < base.size(); ++cut) {
        EXPECT_FALSE(Open(Bytes(base.begin(), base.begin() + static_cast<long>(cut)))) << cut;
        EXPECT_TRUE(pack.directory.empty() && pack.dataBase == 0u);
    }
    EXPECT_TRUE(Open(base));
    image.assign(10, 0x90);
    ASSERT_TRUE(publish::AppendPackToImage(&image, {{"x", ToBytes("y")}}, &error));
    EXPECT_EQ(publish::FindPackMarker(image), static_cast<std::int64_t>(kPackSearchOffset));
    const Bytes longProgram(kPackSearchOffset + 7, 0x11);
    Bytes copy = longProgram;
    ASSERT_TRUE(publish::AppendPackToImage(&copy, {{"x", ToBytes("y")}}, &error)) << error;
    EXPECT_TRUE(std::equal(longProgram.begin(), longProgram.end(), copy.begin()));
    EXPECT_EQ(publish::FindPackMarker(copy), static_cast<std::int64_t>(longProgram.size()));
    // A name too long for the reader is refused with a reason; a marker before the offset is fine.
    Bytes plain(100, 0);
    EXPECT_FALSE(publish::AppendPackToImage(&plain, {{std::string(256, 'n'), {}}}, &error));
    EXPECT_NE(error.find("255"), std::string::npos);
    plain.insert(plain.begin() + 10, kMarker.begin(), kMarker.end());
    EXPECT_TRUE(publish::AppendPackToImage(&plain, {}, &error)) << error;
}

TEST(PackMarker, CoreLibraryNeverHoldsTheMarkerBytes) {
    // The game scans its own file for the marker, so its code must never contain it.
    const std::string library = ReadText(std::string(PICTORRA_BINARY_DIR) + "/libpictorra_core.a");
    ASSERT_FALSE(library.empty());
    EXPECT_EQ(library.find("\x44\x55\x88"), std::string::npos);
}
