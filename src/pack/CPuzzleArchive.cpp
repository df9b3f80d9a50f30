#include "pack/CPuzzleArchive.h"

#include "pack/ScrambleKey.h"
#include "platform/FileAccess.h"

#include <cstdio>
#include <cstring>

namespace {
std::uint32_t U32At(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
} // namespace

CPuzzleArchive::CPuzzleArchive() {
    key[0] = kArchiveScrambleKey[0];
    key[1] = kArchiveScrambleKey[1];
    key[2] = kArchiveScrambleKey[2];
}

CPuzzleArchive::~CPuzzleArchive() = default;

bool CPuzzleArchive::Open(const std::string& archivePath) {
    path = archivePath;
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file) return false;
    std::FILE* f = file.get();

    long fileSize = -1;
    if (std::fseek(f, 0, SEEK_END) == 0) fileSize = std::ftell(f);
    unsigned char header[kHeaderSize];
    bool ok = fileSize >= 0 && std::fseek(f, 0, SEEK_SET) == 0 &&
              std::fread(header, 1, kHeaderSize, f) == kHeaderSize;
    if (ok) {
        unusedWord = U32At(header);
        count = static_cast<std::int32_t>(U32At(header + 4));
        dataOffset = U32At(header + 8);
        const std::uint64_t size = static_cast<std::uint64_t>(fileSize);
        // The directory must fit the file before a single record is read.
        ok = count >= 1 && kHeaderSize + static_cast<std::uint64_t>(count) * kRecordSize <= size;
        std::uint32_t previousEnd = 0;
        for (std::int32_t i = 0; ok && i < count; ++i) {
            unsigned char record[kRecordSize];
            if (std::fread(record, 1, kRecordSize, f) != kRecordSize) {
                ok = false;
                break;
            }
            std::uint32_t storedStart = U32At(record + 64);
            std::uint32_t storedEnd = U32At(record + 68);
            std::uint64_t absoluteStart = static_cast<std::uint64_t>(storedStart) + dataOffset;
            std::uint64_t absoluteEnd = static_cast<std::uint64_t>(storedEnd) + dataOffset;
            // Records follow each other without gaps, never run backwards and never past
            // the end of the file: otherwise the reader would wander through foreign bytes.
            if (storedStart != previousEnd || storedEnd < storedStart || absoluteEnd > size) {
                ok = false;
                break;
            }
            previousEnd = storedEnd;
            // The name field holds at most 63 characters and a zero; an unterminated field
            // is cut there.
            const void* zero = std::memchr(record, 0, kNameField - 1);
            std::size_t length =
                zero ? static_cast<std::size_t>(static_cast<const unsigned char*>(zero) - record)
                     : kNameField - 1;
            entries.push_back(std::make_unique<CArchiveEntry>(
                this, std::string(reinterpret_cast<const char*>(record), length), absoluteStart, absoluteEnd,
                record[72]));
        }
    }
    return ok;
}

CArchiveEntry* CPuzzleArchive::FindEntry(const std::string& entryName) const {
    for (const auto& entry : entries) {
        if (entry->name == entryName) return entry.get();
    }
    return nullptr;
}
