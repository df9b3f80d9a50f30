// The position file on its own: its exact bytes, reading it back, what a damaged file
// gives, and what never replaces a saved file.
#include "platform/FileReplace.h"
#include "play/PlayFixture.h"
#include "position/CPositionFile.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

// A file written field by field, the way the format lays it out.
struct Bytes {
    std::vector<std::uint8_t> v;
    Bytes& Int(std::int32_t x) {
        for (int i = 0; i < 4; ++i)
            v.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(x) >> (8 * i)));
        return *this;
    }
    Bytes& Text(const std::string& s, std::size_t field) {
        v.insert(v.end(), s.begin(), s.end());
        v.resize(v.size() + field - s.size(), 0);
        return *this;
    }
    Bytes& Header(const std::string& archive, std::int32_t columns) {
        return Int(9738).Text("medium", 64).Text(archive, 256).Int(columns).Int(4242).Int(1).Int(8);
    }
};

std::vector<std::uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

class PositionFileTest : public PlayFixture {
  protected:
    void SetUp() override {
        PlayFixture::SetUp();
        archive = temp.File("Boats");
        std::ofstream(archive) << "archive";
        path = archive + ".sav";
        // A 4 x 3 puzzle, every piece loose and turned (c + r) quarters, its inner sides
        // carrying set c + r and the slot of their direction (or its other form).
        MakeGrid(4, 3);
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 4; ++c) {
                CPiece* piece = P(c, r);
                piece->rotation = (c + r) % 4;
                for (int d = 0; d < 4; ++d) {
                    if (piece->sides[d].setNumber == CPieceSide::kBorder) continue;
                    piece->sides[d].setNumber = c + r;
                    piece->sides[d].slot = (c + d) % 2 ? d + 4 : d;
                }
            }
        }
        // Groups listed last cell first, so list order differs from piece order.
        for (int i = 11; i >= 0; --i)
            Group({{i % 4, i / 4}}, 100 + 70 * i, 200 + 10 * i);
        puzzle->options.cutName = "medium";
        puzzle->archivePath = archive;
        puzzle->percentCompleted = 8.9f;
    }

    std::vector<std::uint8_t> Expected4x3() {
        Bytes b;
        b.Header(archive, 4).Int(12);
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 4; ++c) {
                const CPiece* piece = P(c, r);
                b.Int(c).Int(r).Int(piece->x).Int(piece->y).Int((c + r) % 4);
                for (const CPieceSide& side : piece->sides)
                    b.Int(side.setNumber).Int(side.slot);
            }
        }
        b.Int(12);
        for (int i = 11; i >= 0; --i)
            b.Int(1).Int(100 + 70 * i).Int(200 + 10 * i).Int(i % 4).Int(i / 4);
        return b.v;
    }

    bool Read(CPositionFile& file) { return file.Read(path, rotation, seconds, platform.get()); }

    std::string archive, path;
    std::int32_t rotation = 0;
    std::uint32_t seconds = 7;
};

TEST_F(PositionFileTest, FourByThreeLoosePiecesGiveTheExactFileAndReadBack) {
    CPositionFile written;
    std::string why;
    ASSERT_TRUE(written.Write(path, *puzzle, 4242, 1, &why)) << why;
    const std::vector<std::uint8_t> bytes = FileBytes(path);
    ASSERT_EQ(bytes.size(), 1212u);
    EXPECT_EQ(bytes, Expected4x3());
    // Little-endian whatever the host: the magic 9738 is 0A 26 00 00.
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 4), (std::vector<std::uint8_t>{0x0A, 0x26, 0, 0}));
    EXPECT_EQ(P(0, 0)->sides[3].setNumber, -2);
    EXPECT_EQ(P(0, 0)->sides[3].slot, -1) << "border sides go out as set -2, slot -1";
    EXPECT_FALSE(std::filesystem::exists(SiblingPath(path)));

    CPositionFile back;
    ASSERT_TRUE(Read(back));
    EXPECT_EQ(back.cutName, "medium");
    EXPECT_EQ(back.archivePath, archive);
    EXPECT_EQ(back.columns, 4);
    EXPECT_EQ(back.percentWhole, 8);
    EXPECT_EQ(back.pieces, written.pieces);
    EXPECT_EQ(back.groups, written.groups);
    EXPECT_EQ(seconds, 4242u);
}

TEST_F(PositionFileTest, TheRotationSettingFollowsTheFileAndSaysSoWhenItChanges) {
    struct Case {
        std::int32_t saved, current;
        const char* message; // null: nothing shown
    };
    const Case cases[] = {
        {1, 0, "The saved position for this puzzle contains rotated pieces,\ntherefore piece rotation will now be enabled."},
        {0, 1, "The saved position for this puzzle does not contain rotated pieces,\ntherefore piece rotation will now be disabled."},
        {1, 1, nullptr},
        {0, 0, nullptr},
    };
    for (const Case& c : cases) {
        CPositionFile file;
        ASSERT_TRUE(file.Write(path, *puzzle, 5, c.saved, nullptr));
        platform->messageBoxes.clear();
        rotation = c.current;
        ASSERT_TRUE(Read(file));
        EXPECT_EQ(rotation, c.saved);
        if (!c.message) {
            EXPECT_TRUE(platform->messageBoxes.empty()) << c.saved;
            continue;
        }
        ASSERT_EQ(platform->messageBoxes.size(), 1u);
        EXPECT_EQ(platform->messageBoxes[0].text, c.message);
        EXPECT_EQ(platform->messageBoxes[0].caption, "Information");
        EXPECT_EQ(platform->messageBoxes[0].style, MB_OK);
    }
}

TEST_F(PositionFileTest, AFileThatIsNoPositionChangesNothing) {
    const std::vector<std::uint8_t> good = Expected4x3();
    const std::vector<std::uint8_t> unterminated =
        Bytes().Int(9738).Text("medium", 64).Text(std::string(256, 'a'), 256).Int(4).Int(0).Int(0).Int(0).Int(0).v;
    std::vector<std::uint8_t> wrongMagic = good;
    wrongMagic[1] = 0x27;
    const std::vector<std::uint8_t> gone = Bytes().Header(temp.File("gone"), 4).Int(0).Int(0).v;
    const struct {
        const char* what;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"short header", std::vector<std::uint8_t>(good.begin(), good.begin() + 339)},
        {"wrong magic", wrongMagic},
        {"unterminated path", unterminated},
        {"vanished archive", gone},
        {"missing file", {}},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(path);
        if (!c.bytes.empty()) WriteBytes(path, c.bytes);
        CPositionFile file;
        file.columns = 99;
        rotation = 0;
        seconds = 7;
        EXPECT_FALSE(Read(file)) << c.what;
        EXPECT_EQ(file.columns, 99) << c.what;
        EXPECT_EQ(rotation, 0) << c.what;
        EXPECT_EQ(seconds, 7u) << c.what;
        EXPECT_TRUE(platform->messageBoxes.empty()) << c.what;
    }
}

TEST_F(PositionFileTest, BodyRecordsThatDoNotFitTheGridAreLeftOut) {
    const auto record = [](Bytes& b, int c, int r) {
        b.Int(c).Int(r).Int(0).Int(0).Int(1);
        for (int k = 0; k < 8; ++k)
            b.Int(k < 7 ? k : 0x7FFFFFFF);
    };
    // Two columns: record 1 claims cell (5, 0), record 3 is (1, 1) as it should be.
    Bytes b;
    b.Header(archive, 2).Int(4);
    record(b, 0, 0);
    record(b, 5, 0);
    record(b, 0, 1);
    record(b, 1, 1);
    b.Int(3);
    b.Int(5).Int(10).Int(20).Int(1).Int(1).Int(-1).Int(0).Int(2).Int(0).Int(0).Int(2).Int(0).Int(0);
    b.Int(0).Int(30).Int(40);
    b.Int(0x7FFFFFFF).Int(50).Int(60).Int(1).Int(0); // a count no file can hold
    CPositionFile file;
    ASSERT_TRUE(file.Parse(b.v.data(), b.v.size()));
    ASSERT_EQ(file.pieces.size(), 4u);
    EXPECT_EQ(file.pieces[3].sides[2][1], 5);
    EXPECT_EQ(file.pieces[3].sides[3][1], -1) << "a slot beyond 7 names no shape";
    EXPECT_EQ(file.pieces[3].sides[3][0], -1);
    EXPECT_EQ(file.pieces[1].col, 1);
    EXPECT_EQ(file.pieces[1].sides[0][0], -1) << "a record for another cell gives no shapes";
    ASSERT_EQ(file.groups.size(), 1u) << "the empty group and the absurd one are dropped";
    EXPECT_EQ(file.groups[0], (SavedGroupRecord{10, 20, {{1, 1}, {0, 0}}}));

    // Counts far beyond the bytes that follow, and a grid of no columns.
    Bytes huge;
    huge.Header(archive, 4).Int(0x7FFFFFFF);
    record(huge, 0, 0);
    ASSERT_TRUE(file.Parse(huge.v.data(), huge.v.size()));
    EXPECT_EQ(file.pieces.size(), 1u);
    EXPECT_TRUE(file.groups.empty());
    Bytes noColumns;
    noColumns.Header(archive, 0).Int(1);
    record(noColumns, 0, 0);
    noColumns.Int(1).Int(1).Int(0).Int(0).Int(0).Int(0);
    ASSERT_TRUE(file.Parse(noColumns.v.data(), noColumns.v.size()));
    EXPECT_TRUE(file.pieces.empty());
    EXPECT_TRUE(file.groups.empty());
}

TEST_F(PositionFileTest, AnInterruptedOrRefusedSaveLeavesTheSavedFileWhole) {
    CPositionFile file;
    ASSERT_TRUE(file.Write(path, *puzzle, 1, 0, nullptr));
    const std::vector<std::uint8_t> saved = FileBytes(path);

    // Stopped between writing the new content and the rename: the old file still reads.
    puzzle->groups.Head()->PlaceAt(3000, 3000);
    CPositionFile moved;
    moved.Capture(*puzzle, 2, 0);
    std::vector<std::uint8_t> newer;
    ASSERT_TRUE(moved.Encode(&newer, nullptr));
    ASSERT_TRUE(WriteSiblingFile(path, newer, nullptr));
    EXPECT_EQ(FileBytes(path), saved);
    CPositionFile back;
    ASSERT_TRUE(Read(back));
    EXPECT_EQ(seconds, 1u);

    // A path the header cannot hold whole is refused, not cut to name another file.
    puzzle->archivePath = temp.Str() + std::string(250, 'x');
    std::string why;
    EXPECT_FALSE(file.Write(path, *puzzle, 3, 0, &why));
    EXPECT_NE(why.find("255"), std::string::npos) << why;
    EXPECT_EQ(FileBytes(path), saved);

    // The next save replaces the stale sibling and the file.
    puzzle->archivePath = archive;
    ASSERT_TRUE(file.Write(path, *puzzle, 4, 0, nullptr));
    ASSERT_TRUE(Read(back));
    EXPECT_EQ(seconds, 4u);
    EXPECT_FALSE(std::filesystem::exists(SiblingPath(path)));
}

} // namespace
