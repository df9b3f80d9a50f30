#include "pack/CArchiveEntry.h"

#include "pack/CPuzzleArchive.h"
#include "pack/LineReader.h"

#include <climits>

CArchiveEntry::CArchiveEntry(CPuzzleArchive* owner, std::string entryName, std::uint64_t absoluteStart,
                             std::uint64_t absoluteEnd, std::uint8_t scrambleFlag)
    : scrambled(scrambleFlag), name(std::move(entryName)), start(absoluteStart), end(absoluteEnd),
      position(absoluteStart), archive(owner) {}

CArchiveEntry::~CArchiveEntry() {
    CloseStream();
}

bool CArchiveEntry::OpenStream() {
    CloseStream();
    if (!archive) return false;
    file.reset(std::fopen(archive->path.c_str(), "rb"));
    if (!file) return false;
    if (start > static_cast<std::uint64_t>(LONG_MAX) ||
        std::fseek(file.get(), static_cast<long>(start), SEEK_SET) != 0) {
        CloseStream();
        return false;
    }
    position = start;
    return true;
}

void CArchiveEntry::CloseStream() {
    file.reset();
}

int CArchiveEntry::ReadByte() {
    if (!file || position >= end) return kEnd;
    int c = std::fgetc(file.get());
    // A file shorter than its directory claims ends the entry, scrambled or not: the end of
    // file must never be descrambled into a byte.
    if (c == EOF) return kEnd;
    ++position;
    if (scrambled) c ^= archive->key[0] ^ archive->key[1] ^ archive->key[2];
    return c & 0xFF;
}

int CArchiveEntry::ReadLine(char* buffer, int size) {
    if (!file) return 0;
    return ReadLineWith([this] { return ReadByte(); }, buffer, size);
}

bool CArchiveEntry::ReadAll(std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    if (!file || end < start || start > static_cast<std::uint64_t>(LONG_MAX) ||
        std::fseek(file.get(), static_cast<long>(start), SEEK_SET) != 0)
        return false;
    // The archive's directory was checked against the file's size when it was opened, so
    // this is never more than the file holds.
    bytes.resize(static_cast<std::size_t>(end - start));
    const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file.get());
    bytes.resize(got);
    position = start + got;
    if (scrambled) {
        const std::uint8_t key =
            static_cast<std::uint8_t>(archive->key[0] ^ archive->key[1] ^ archive->key[2]);
        for (std::uint8_t& b : bytes)
            b ^= key;
    }
    return true;
}

bool CArchiveEntry::ExtractTo(const std::string& outputPath) {
    std::vector<std::uint8_t> bytes;
    if (!file) return false;
    FilePtr out(std::fopen(outputPath.c_str(), "wb"));
    if (!out) return false;
    bool ok = ReadAll(bytes) && std::fwrite(bytes.data(), 1, bytes.size(), out.get()) == bytes.size();
    // A full disk must not pass for a complete copy.
    if (std::fclose(out.release()) != 0) ok = false;
    return ok;
}
