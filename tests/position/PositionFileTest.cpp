// The position file on its own: its exact bytes, reading it back, damaged files, and what
// never replaces a saved file.
#include "platform/FileReplace.h"
#include "play/PlayFixture.h"
#include "position/CPositionFile.h"
#include "support/PictureFiles.h"

#include <filesystem>
#include <fstream>

namespace {

// A file written field by field.
struct Fields {
    std::vector<std::uint8_t> v;
    Fields& Int(std::int32_t x) { return PutLe(v, static_cast<std::uint32_t>(x), 4), *this; }
    Fields& Text(const std::string& s, std::size_t field) {
        v.insert(v.end(), s.begin(), s.end());
        return v.resize(v.size() + field - s.size(), 0), *this;
    }
    Fields& Header(const std::string& archive, std::int32_t columns) {
        return Int(9738).Text("medium", 64).Text(archive, 256).Int(columns).Int(4242).Int(1).Int(8);
    }
    // A piece record for (c, r), turned once, its sides' set and slot numbers 0 to 7.
    Fields& Piece(int c, int r, std::int32_t lastSlot = 7) {
        return Int(c).Int(r).Int(0).Int(0).Int(1).Int(0).Int(1).Int(2).Int(3).Int(4).Int(5).Int(6).Int(
            lastSlot);
    }
};

class PositionFileTest : public PlayFixture {
  protected:
    void SetUp() override {
        PlayFixture::SetUp();
        std::ofstream(archive) << "archive";
        // 4 x 3 loose pieces turned (c + r) quarters, inner sides of set c + r; the groups are
        // listed last cell first, so list order is not piece order.
        MakeGrid(4, 3);
        for (const auto& piece : puzzle->pieces) {
            piece->rotation = (piece->col + piece->row) % 4;
            for (int d = 0; d < 4; ++d) {
                if (piece->sides[d].setNumber == CPieceSide::kBorder) continue;
                piece->sides[d].setNumber = piece->col + piece->row;
                piece->sides[d].slot = (piece->col + d) % 2 ? d + 4 : d;
            }
        }
        for (int i = 11; i >= 0; --i)
            Group({{i % 4, i / 4}}, 100 + 70 * i, 200 + 10 * i);
        puzzle->options.cutName = "medium";
        puzzle->archivePath = archive;
        puzzle->percentCompleted = 8.9f;
    }

    bool Read(CPositionFile& file) { return file.Read(path, rotation, seconds, &platform); }
    // An archive whose path is exactly as long as the header's field, with no room left for
    // the terminator.
    std::string LongArchive() {
        const std::string longPath = temp.Str() + std::string(256 - temp.Str().size(), 'x');
        std::ofstream(longPath) << "archive";
        return longPath;
    }

    std::string archive = temp.File("Boats"), path = archive + ".sav";
    std::int32_t rotation = 0;
    std::uint32_t seconds = 7;
};

TEST_F(PositionFileTest, TheExactFileReadsBackAndAnInterruptedOrRefusedSaveLeavesItWhole) {
    CPositionFile written;
    ASSERT_TRUE(written.Write(path, *puzzle, 4242, 1, nullptr));
    Fields expected;
    expected.Header(archive, 4).Int(12);
    for (const auto& piece : puzzle->pieces) {
        expected.Int(piece->col).Int(piece->row).Int(piece->x).Int(piece->y).Int(piece->rotation);
        for (const CPieceSide& side : piece->sides)
            expected.Int(side.setNumber).Int(side.slot);
    }
    expected.Int(12);
    for (int i = 11; i >= 0; --i)
        expected.Int(1).Int(100 + 70 * i).Int(200 + 10 * i).Int(i % 4).Int(i / 4);
    ASSERT_EQ(expected.v.size(), 1212u);
    EXPECT_EQ(ReadBytes(path), expected.v);

    // Read back with rotation off: it follows the file, and the player is told.
    CPositionFile back;
    ASSERT_TRUE(Read(back));
    EXPECT_EQ(std::tie(back.cutName, back.archivePath, back.columns, back.percentWhole),
              std::tie(written.cutName, archive, written.columns, written.percentWhole));
    EXPECT_EQ(back.pieces, written.pieces);
    EXPECT_EQ(back.groups, written.groups);
    EXPECT_EQ(std::pair(seconds, rotation), std::pair(4242u, 1));
    // The other way round, then no change at all.
    ASSERT_TRUE(written.Write(path, *puzzle, 5, 0, nullptr));
    ASSERT_TRUE(Read(back));
    ASSERT_TRUE(Read(back));
    EXPECT_EQ(rotation, 0);
    ASSERT_EQ(platform.messageBoxes.size(), 2u);
    EXPECT_NE(platform.messageBoxes[0].text.find("will now be enabled"), std::string::npos);
    EXPECT_NE(platform.messageBoxes[1].text.find("will now be disabled"), std::string::npos);
    const std::vector<std::uint8_t> saved = ReadBytes(path);
    // A save stopped before its rename left a sibling behind.
    WriteBytes(SiblingPath(path), {1});

    // A path the header cannot hold whole is refused, not cut to name another file.
    puzzle->archivePath = LongArchive();
    std::string why;
    EXPECT_FALSE(written.Write(path, *puzzle, 3, 0, &why));
    EXPECT_TRUE(why.find("255") != std::string::npos && ReadBytes(path) == saved) << why;

    // The next save replaces the stale sibling and the file.
    puzzle->archivePath = archive;
    ASSERT_TRUE(written.Write(path, *puzzle, 4, 0, nullptr));
    EXPECT_EQ(std::tuple(ReadBytes(path).size(), ReadBytes(path) == saved,
                         std::filesystem::exists(SiblingPath(path))),
              std::tuple(saved.size(), false, false));
}

TEST_F(PositionFileTest, AFileThatIsNoPositionChangesNothingAndRecordsOffTheGridAreLeftOut) {
    const auto good = Fields().Header(archive, 4).Int(0).Int(0).v;
    Fields wrongMagic = Fields().Int(9739).Text("medium", 64).Text(archive, 256).Int(4).Int(0).Int(0).Int(0);
    Fields unterminated = Fields().Int(9738).Text("medium", 64).Text(LongArchive(), 256);
    const std::vector<std::vector<std::uint8_t>> cases = {
        {good.begin(), good.begin() + 339},
        wrongMagic.Int(0).v,
        unterminated.Int(4).Int(0).Int(0).Int(0).Int(0).v,
        Fields().Header(temp.File("gone"), 4).Int(0).Int(0).v, // the archive it names is gone
        {},                                                    // no file
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        std::filesystem::remove(path);
        if (!cases[i].empty()) WriteBytes(path, cases[i]);
        CPositionFile file;
        file.columns = 99;
        EXPECT_FALSE(Read(file)) << i;
        EXPECT_EQ(std::tie(file.columns, rotation, seconds), std::tuple(99, 0, 7u)) << i;
    }
    EXPECT_TRUE(platform.messageBoxes.empty());

    // Two columns; the second record claims cell (5, 0), the last names a slot past 7.
    Fields b;
    b.Header(archive, 2).Int(4).Piece(0, 0).Piece(5, 0).Piece(0, 1).Piece(1, 1, 0x7FFFFFFF).Int(3);
    b.Int(5).Int(10).Int(20).Int(1).Int(1).Int(-1).Int(0).Int(2).Int(0).Int(0).Int(2).Int(0).Int(0);
    b.Int(0).Int(30).Int(40);                        // no pieces
    b.Int(0x7FFFFFFF).Int(50).Int(60).Int(1).Int(0); // more pieces than the file holds
    CPositionFile file;
    ASSERT_TRUE(file.Parse(b.v.data(), b.v.size()));
    ASSERT_EQ(file.pieces.size(), 4u);
    // A record for another cell gives no shapes; a bad slot loses its side only.
    EXPECT_EQ(std::tuple(file.pieces[0].sides[3][1], file.pieces[1].col, file.pieces[1].sides[0][0],
                         file.pieces[3].sides[3][0], file.pieces[3].sides[3][1], file.pieces[3].sides[2][1]),
              std::tuple(7, 1, -1, -1, -1, 5));
    ASSERT_EQ(file.groups, (std::vector<SavedGroupRecord>{{10, 20, {{1, 1}, {0, 0}}}}));

    // A piece count far beyond the bytes that follow; a grid of no columns.
    Fields huge, noColumns;
    huge.Header(archive, 4).Int(0x7FFFFFFF).Piece(0, 0);
    noColumns.Header(archive, 0).Int(1).Piece(0, 0).Int(1).Int(1).Int(0).Int(0).Int(0).Int(0);
    ASSERT_TRUE(file.Parse(huge.v.data(), huge.v.size()));
    EXPECT_EQ(file.pieces.size(), 1u);
    ASSERT_TRUE(file.Parse(noColumns.v.data(), noColumns.v.size()));
    EXPECT_TRUE(file.pieces.empty() && file.groups.empty());
}

} // namespace
