#include "ArchiveWriter.h"
#include "PackTestFiles.h"
#include "pack/CPuzzleArchive.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct RawRecord {
    std::string name;
    std::uint32_t start, end, flag;
};

// A raw archive: header, one record per entry, then `data`.
Bytes RawArchive(std::int32_t count, std::uint32_t dataOffset, const std::vector<RawRecord>& records,
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

std::string ReadAll(CArchiveEntry* entry) {
    std::string text;
    EXPECT_TRUE(entry->OpenStream());
    for (int c = entry->ReadByte(); c != CArchiveEntry::kEnd; c = entry->ReadByte())
        text += static_cast<char>(c);
    // The end mark repeats rather than running on into the next entry.
    EXPECT_EQ(entry->ReadByte(), CArchiveEntry::kEnd);
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

TEST_F(ArchiveTest, ScrambledAndPlainEntriesReadBackAsWritten) {
    std::string binary;
    for (int i = 0; i < 256; ++i)
        binary += static_cast<char>(i);
    const std::string path = Build({{"options", ToBytes("plain text"), false},
                                    {"picture", ToBytes(binary), true},
                                    {"extra", {}, true},
                                    {std::string(63, 'n'), ToBytes("long name"), false}});
    EXPECT_EQ(ReadText(path).find(binary), std::string::npos) << "scrambling changes the stored bytes";
    ASSERT_TRUE(reader.Open(path));
    EXPECT_EQ(ReadAll(reader.FindEntry("options")), "plain text");
    EXPECT_EQ(ReadAll(reader.FindEntry("picture")), binary);
    EXPECT_EQ(ReadAll(reader.FindEntry("extra")), "");
    EXPECT_EQ(ReadAll(reader.FindEntry(std::string(63, 'n'))), "long name");
    EXPECT_EQ(reader.FindEntry("Options"), nullptr);
    EXPECT_FALSE(reader.FindEntry("picture")->ExtractTo(dir.File("closed"))); // no open stream

    // The file shrinks after the directory was read: the entry ends where the file does.
    Bytes cut = ReadBytes(path);
    cut.resize(cut.size() - 9 - 250);
    WriteBytes(path, cut);
    EXPECT_EQ(ReadAll(reader.FindEntry("picture")), binary.substr(0, 6));
}

TEST_F(ArchiveTest, BrokenHeadersAndRecordsRefuseTheArchive) {
    EXPECT_FALSE(reader.Open(dir.File("missing")));
    EXPECT_FALSE(reader.Open(Write({1, 0, 0, 0, 1, 0, 0})));                  // short header
    EXPECT_FALSE(reader.Open(Write(RawArchive(0, 12, {}, ""))));              // no entries
    EXPECT_FALSE(reader.Open(Write(RawArchive(-1, 12, {}, ""))));
    EXPECT_FALSE(reader.Open(Write(RawArchive(1000000, 12, {{"a", 0, 0, 0}}, "")))); // count beyond the file
    // A data offset that pushes the entries past the end of the file.
    EXPECT_FALSE(reader.Open(Write(RawArchive(1, 0xFFFFFFF0u, {{"a", 0, 4, 1}}, "abcd"))));

    auto two = [&](std::uint32_t s1, std::uint32_t e1, std::uint32_t s2, std::uint32_t e2) {
        CPuzzleArchive a;
        return a.Open(Write(RawArchive(2, 12 + 2 * 76, {{"a", s1, e1, 0}, {"b", s2, e2, 0}}, "0123456789")));
    };
    EXPECT_TRUE(two(0, 4, 4, 10));
    EXPECT_FALSE(two(1, 4, 4, 10));          // first record not at 0
    EXPECT_FALSE(two(0, 4, 5, 10));          // gap
    EXPECT_FALSE(two(0, 4, 4, 3));           // end before start
    EXPECT_FALSE(two(0, 4, 4, 11));          // beyond the file
    EXPECT_FALSE(two(0, 4, 4, 0xFFFFFFFFu)); // far beyond

    // A name filling its field without a terminator is cut at 63 characters.
    ASSERT_TRUE(reader.Open(Write(RawArchive(1, 12 + 76, {{std::string(64, 'z'), 0, 1, 0}}, "q"))));
    EXPECT_NE(reader.FindEntry(std::string(63, 'z')), nullptr);
}

TEST_F(ArchiveTest, ReadLineFollowsTheCarriageReturnRule) {
    ASSERT_TRUE(
        reader.Open(Build({{"t", ToBytes("one\r\ntwo\rXthree\nstill three\r\n\r\r\r\nabcdefgh\r"), true}})));
    CArchiveEntry* entry = reader.FindEntry("t");
    char buffer[64];
    std::strcpy(buffer, "untouched");
    EXPECT_EQ(entry->ReadLine(buffer, 64), 0); // stream not open
    EXPECT_STREQ(buffer, "untouched");

    ASSERT_TRUE(entry->OpenStream());
    const std::pair<int, const char*> lines[] = {
        {64, "one"},
        {64, "two"},                // the byte after a CR goes, whatever it is
        {64, "three\nstill three"}, // a lone LF is an ordinary character
        {64, ""},                   // CR, then a CR dropped: an empty line
        {64, ""},                   // CR LF: another
        {5, "abcd"},                // too long: split
        {1, ""},                    // no room: an empty text
        {64, "efgh"},               // a CR as the entry's last byte
        {64, ""},                   // past the end: empty lines
    };
    for (const auto& [size, line] : lines) {
        EXPECT_EQ(entry->ReadLine(buffer, size), static_cast<int>(std::strlen(line))) << line;
        EXPECT_STREQ(buffer, line);
    }
}

} // namespace
