#include "ArchiveWriter.h"
#include "PackTestFiles.h"
#include "pack/CPuzzleArchive.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>

struct RawRecord {
    std::string name;
    std::uint32_t start, end, flag;
};

// A raw archive: header, one record per entry, then `data`.
static Bytes RawArchive(std::int32_t count, std::uint32_t dataOffset, const std::vector<RawRecord>& records,
                        const std::string& data) {
    Bytes out;
    for (std::uint32_t word : {0xABCDu, static_cast<std::uint32_t>(count), dataOffset})
        PutLe(out, word, 4);
    for (const RawRecord& r : records) {
        std::uint8_t field[64] = {};
        std::memcpy(field, r.name.data(), std::min<std::size_t>(r.name.size(), 64));
        out.insert(out.end(), field, field + 64);
        for (std::uint32_t word : {r.start, r.end, r.flag})
            PutLe(out, word, 4);
    }
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

static std::string ReadAll(CArchiveEntry* entry) {
    std::string text;
    EXPECT_TRUE(entry->OpenStream());
    for (int c = entry->ReadByte(); c != CArchiveEntry::kEnd; c = entry->ReadByte())
        text += static_cast<char>(c);
    // The end mark repeats rather than running on into the next entry.
    EXPECT_EQ(entry->ReadByte(), CArchiveEntry::kEnd);
    std::vector<std::uint8_t> whole; // the same bytes in one read
    EXPECT_TRUE(entry->ReadAll(whole) && std::string(whole.begin(), whole.end()) == text) << entry->name;
    entry->CloseStream();
    return text;
}

class ArchiveTest : public ::testing::Test {
  protected:
    std::string Write(const Bytes& bytes) {
        WriteBytes(dir.File("puzzle"), bytes);
        return dir.File("puzzle");
    }
    std::string Build(const std::vector<publish::ArchiveEntrySource>& entries) {
        Bytes archive;
        std::string error;
        EXPECT_TRUE(publish::BuildArchive(entries, &archive, &error)) << error;
        return Write(archive);
    }
    TempDir dir;
    CPuzzleArchive reader;
};

TEST_F(ArchiveTest, EntriesReadBackAsWrittenBrokenOnesAreRefusedAndLinesFollowTheCrRule) {
    std::string binary;
    for (int i = 0; i < 256; ++i) binary += static_cast<char>(i);
    const std::string longName(63, 'n');
    const auto path = Build({{"options", ToBytes("plain text"), false}, {"picture", ToBytes(binary), true},
                             {"extra", {}, true}, {longName, ToBytes("long name"), false}});
    EXPECT_EQ(ReadText(path).find(binary), std::string::npos) << "scrambling changes the stored bytes";
    ASSERT_TRUE(reader.Open(path));
    EXPECT_EQ(
        (std::vector<std::string>{ReadAll(reader.FindEntry("options")), ReadAll(reader.FindEntry("picture")),
                                  ReadAll(reader.FindEntry("extra")), ReadAll(reader.FindEntry(longName))}),
        (std::vector<std::string>{"plain text", binary, "", "long name"}));
    EXPECT_EQ(reader.FindEntry("Options"), nullptr);
    EXPECT_FALSE(reader.FindEntry("picture")->ExtractTo(dir.File("closed"))); // no open stream
    // The file shrinks after the directory was read: the entry ends where the file does.
    Bytes cut = ReadBytes(path);
    cut.resize(cut.size() - 9 - 250);
    WriteBytes(path, cut);
    EXPECT_EQ(ReadAll(reader.FindEntry("picture")), binary.substr(0, 6));
    auto opens = [&](const Bytes& bytes) { return CPuzzleArchive().Open(Write(bytes)); };
    auto two = [&](std::uint32_t s1, std::uint32_t e1, std::uint32_t s2, std::uint32_t e2) {
        return opens(RawArchive(2, 12 + 2 * 76, {{"a", s1, e1, 0}, {"b", s2, e2, 0}}, "0123456789"));
    };
    EXPECT_FALSE(reader.Open(dir.File("missing")));
    // A short header, no entries, a count beyond the file, a data offset pushing the entries
    // past its end; the second record not at 0, a gap, an end before the start, beyond the file.
    EXPECT_EQ(
        (std::vector<bool>{
            opens({1, 0, 0, 0, 1, 0, 0}), opens(RawArchive(0, 12, {}, "")), opens(RawArchive(-1, 12, {}, "")),
            opens(RawArchive(1000000, 12, {{"a", 0, 0, 0}}, "")),
            opens(RawArchive(1, 0xFFFFFFF0u, {{"a", 0, 4, 1}}, "abcd")), two(0, 4, 4, 10), two(1, 4, 4, 10),
            two(0, 4, 5, 10), two(0, 4, 4, 3), two(0, 4, 4, 11), two(0, 4, 4, 0xFFFFFFFFu)}),
        (std::vector<bool>{false, false, false, false, false, true, false, false, false, false, false}));
    // A name filling its field without a terminator is cut at 63 characters.
    ASSERT_TRUE(reader.Open(Write(RawArchive(1, 12 + 76, {{std::string(64, 'z'), 0, 1, 0}}, "q"))));
    EXPECT_NE(reader.FindEntry(std::string(63, 'z')), nullptr);
    ASSERT_TRUE(
        reader.Open(Build({{"t", ToBytes("one\r\ntwo\rXthree\nstill three\r\n\r\r\r\nabcdefgh\r"), true}})));
    CArchiveEntry* entry = reader.FindEntry("t");
    char buffer[64] = "untouched";
    EXPECT_EQ(entry->ReadLine(buffer, 64), 0); // stream not open
    EXPECT_STREQ(buffer, "untouched");
    ASSERT_TRUE(entry->OpenStream());
    // The byte after a CR goes, whatever it is; a lone LF is an ordinary character; CR then a
    // dropped CR, and CR LF, are empty lines; too long a line is split, no room gives an empty
    // text; a CR may be the entry's last byte; past the end come empty lines.
    const std::pair<int, const char*> lines[] = {{64, "one"}, {64, "two"},  {64, "three\nstill three"},
                                                 {64, ""},    {64, ""},     {5, "abcd"},
                                                 {1, ""},     {64, "efgh"}, {64, ""}};
    for (const auto& [size, line] : lines) {
        EXPECT_EQ(entry->ReadLine(buffer, size), static_cast<int>(std::strlen(line))) << line;
        EXPECT_STREQ(buffer, line);
    }
}
