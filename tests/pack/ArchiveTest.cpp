#include "ArchiveWriter.h"
#include "PackTestFiles.h"
#include "pack/CPuzzleArchive.h"
#include "pack/ScrambleKey.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// A raw archive: header, then one record per (name, start, end, flag), then `data`.
std::vector<std::uint8_t>
RawArchive(std::int32_t count, std::uint32_t dataOffset,
           const std::vector<std::tuple<std::string, std::uint32_t, std::uint32_t, std::uint32_t>>& records,
           const std::string& data) {
    std::vector<std::uint8_t> out;
    PutLe32(&out, 0xABCD);
    PutLe32(&out, static_cast<std::uint32_t>(count));
    PutLe32(&out, dataOffset);
    for (const auto& [name, start, end, flag] : records) {
        std::uint8_t field[64] = {};
        std::memcpy(field, name.data(), std::min<std::size_t>(name.size(), 64));
        out.insert(out.end(), field, field + 64);
        PutLe32(&out, start);
        PutLe32(&out, end);
        PutLe32(&out, flag);
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
    std::string Write(const std::vector<std::uint8_t>& bytes) {
        std::string path = dir.File("puzzle");
        SaveBytes(path, bytes);
        return path;
    }
    TempDir dir;
};

TEST_F(ArchiveTest, ScrambledAndPlainEntriesReadBackAsWritten) {
    std::string binary;
    for (int i = 0; i < 256; ++i)
        binary += static_cast<char>(i);
    std::vector<std::uint8_t> archive;
    std::string error;
    ASSERT_TRUE(publish::BuildArchive({{"options", ToBytes("plain text"), false},
                                       {"picture", ToBytes(binary), true},
                                       {"extra", {}, true},
                                       {std::string(63, 'n'), ToBytes("long name"), false}},
                                      &archive, &error))
        << error;
    // Scrambling really changes the stored bytes.
    EXPECT_EQ(std::string(archive.end() - 9 - 256, archive.end() - 9).find(binary), std::string::npos);

    CPuzzleArchive reader;
    ASSERT_TRUE(reader.Open(Write(archive)));
    EXPECT_EQ(reader.key[0], kArchiveScrambleKey[0]);
    EXPECT_EQ(ReadAll(reader.FindEntry("options")), "plain text");
    EXPECT_EQ(ReadAll(reader.FindEntry("picture")), binary);
    EXPECT_EQ(ReadAll(reader.FindEntry("extra")), "");
    EXPECT_EQ(ReadAll(reader.FindEntry(std::string(63, 'n'))), "long name");
    EXPECT_EQ(reader.FindEntry("Options"), nullptr);
    EXPECT_FALSE(reader.FindEntry("picture")->ExtractTo(dir.File("closed"))); // no open stream
}

TEST_F(ArchiveTest, BrokenHeadersAndRecordsRefuseTheArchive) {
    CPuzzleArchive reader;
    EXPECT_FALSE(reader.Open(dir.File("missing")));
    EXPECT_FALSE(reader.Open(Write({1, 0, 0, 0, 1, 0, 0})));     // short header
    EXPECT_FALSE(reader.Open(Write(RawArchive(0, 12, {}, "")))); // no entries
    EXPECT_FALSE(reader.Open(Write(RawArchive(-1, 12, {}, ""))));
    EXPECT_FALSE(reader.Open(Write(RawArchive(1000000, 12, {{"a", 0, 0, 0}}, "")))); // count beyond the file
    // A data offset that pushes the entries past the end of the file.
    EXPECT_FALSE(reader.Open(Write(RawArchive(1, 0xFFFFFFF0u, {{"a", 0, 4, 1}}, "abcd"))));

    const std::uint32_t base = 12 + 2 * 76;
    auto two = [&](std::uint32_t s1, std::uint32_t e1, std::uint32_t s2, std::uint32_t e2) {
        CPuzzleArchive a;
        return a.Open(Write(RawArchive(2, base, {{"a", s1, e1, 0}, {"b", s2, e2, 0}}, "0123456789")));
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
    std::vector<std::uint8_t> archive;
    std::string error;
    const std::string text = std::string("one\r\ntwo\rXthree\nstill three\r\n\r\r\r\n") + "abcdefgh" + "\r";
    ASSERT_TRUE(publish::BuildArchive({{"t", ToBytes(text), true}}, &archive, &error));
    CPuzzleArchive reader;
    ASSERT_TRUE(reader.Open(Write(archive)));
    CArchiveEntry* entry = reader.FindEntry("t");

    char buffer[64];
    std::strcpy(buffer, "untouched");
    EXPECT_EQ(entry->ReadLine(buffer, 64), 0); // stream not open
    EXPECT_STREQ(buffer, "untouched");

    ASSERT_TRUE(entry->OpenStream());
    const struct {
        int size;
        const char* line;
    } lines[] = {
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
    for (const auto& l : lines) {
        EXPECT_EQ(entry->ReadLine(buffer, l.size), static_cast<int>(std::strlen(l.line))) << l.line;
        EXPECT_STREQ(buffer, l.line);
    }
    entry->CloseStream();
}

TEST_F(ArchiveTest, AScrambledEntryInATruncatedFileEndsAtTheFileEnd) {
    std::vector<std::uint8_t> archive;
    std::string error;
    ASSERT_TRUE(publish::BuildArchive({{"picture", ToBytes("0123456789"), true}}, &archive, &error));
    const std::string path = Write(archive);
    CPuzzleArchive reader;
    ASSERT_TRUE(reader.Open(path));
    // The file shrinks after the directory was read.
    archive.resize(archive.size() - 6);
    SaveBytes(path, archive);
    EXPECT_EQ(ReadAll(reader.FindEntry("picture")), "0123");
}

} // namespace
