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

bool CArchiveEntry::ExtractTo(const std::string& outputPath) {
    if (!file) return false;
    FilePtr out(std::fopen(outputPath.c_str(), "wb"));
    if (!out) return false;
    bool ok = true;
    if (std::fseek(file.get(), static_cast<long>(start), SEEK_SET) == 0) {
        position = start;
        for (int c = ReadByte(); c != kEnd; c = ReadByte()) {
            if (std::fputc(c, out.get()) == EOF) {
                ok = false;
                break;
            }
        }
    } else {
        ok = false;
    }
    // A full disk must not pass for a complete copy.
    if (std::fclose(out.release()) != 0) ok = false;
    return ok;
}
