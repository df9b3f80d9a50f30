#include "pack/CPackFile.h"

#include "app/Globals.h"
#include "pack/PackFormat.h"
#include "platform/FileAccess.h"

#include <climits>
#include <filesystem>
#include <cstdio>
#include <memory>

namespace {

constexpr std::size_t kCopyChunk = 64 * 1024;
// Smallest directory entry: name length, empty name, start, end.
constexpr std::uint64_t kMinDirectoryEntry = 12;

bool SeekTo(std::FILE* f, std::uint64_t offset) {
    if (offset > static_cast<std::uint64_t>(LONG_MAX)) return false;
    return std::fseek(f, static_cast<long>(offset), SEEK_SET) == 0;
}

bool ReadU32(std::FILE* f, std::uint32_t& value) {
    unsigned char b[4];
    if (std::fread(b, 1, 4, f) != 4) return false;
    value = static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
             (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
    return true;
}

// Size of an open file, or -1.
std::int64_t FileSize(std::FILE* f) {
    if (std::fseek(f, 0, SEEK_END) != 0) return -1;
    long size = std::ftell(f);
    return size < 0 ? -1 : static_cast<std::int64_t>(size);
}

// Positions the file just past the first marker at or after `searchOffset`; returns that
// position or -1 when the file ends first.
std::int64_t ScanForMarker(std::FILE* f, std::uint32_t searchOffset) {
    if (!SeekTo(f, searchOffset)) return -1;
    // The last three bytes read, oldest in the high byte; both earlier bytes start as 0, so
    // a marker beginning before the search offset is never seen.
    std::uint32_t window = 0;
    std::uint64_t position = searchOffset;
    std::unique_ptr<unsigned char[]> buffer(new unsigned char[kCopyChunk]);
    for (;;) {
        std::size_t n = std::fread(buffer.get(), 1, kCopyChunk, f);
        if (n == 0) return -1;
        for (std::size_t i = 0; i < n; ++i) {
            window = ((window << 8) | buffer[i]) & 0xFFFFFFu;
            ++position;
            if (window == kPackMarkerWindow) {
                if (!SeekTo(f, position)) return -1;
                return static_cast<std::int64_t>(position);
            }
        }
    }
}

} // namespace

std::string PackTempDirectory() {
    return g_tempDirectory;
}

bool CPackFile::OpenPackFile(const std::string& path, std::uint32_t searchOffset) {
    directory.clear();
    dataBase = 0;
    packPath = path;

    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file) return false;
    std::FILE* f = file.get();

    std::int64_t fileSize = FileSize(f);
    if (fileSize < 0) return false;
    std::int64_t afterMarker = ScanForMarker(f, searchOffset);
    if (afterMarker < 0) return false;

    std::uint32_t rawCount = 0;
    if (!ReadU32(f, rawCount)) return false;
    std::int32_t count = static_cast<std::int32_t>(rawCount);
    std::uint64_t position = static_cast<std::uint64_t>(afterMarker) + 4;

    // A count the rest of the file cannot hold is refused before anything is read for it.
    if (count > 0) {
        std::uint64_t remaining = static_cast<std::uint64_t>(fileSize) > position
                                      ? static_cast<std::uint64_t>(fileSize) - position
                                      : 0;
        if (static_cast<std::uint64_t>(count) > remaining / kMinDirectoryEntry) return false;
    }

    std::vector<CPackEntry> entries;
    char name[kMaxPackNameLength];
    for (std::int32_t i = 0; i < count; ++i) {
        std::uint32_t length = 0, start = 0, end = 0;
        if (!ReadU32(f, length) || length > kMaxPackNameLength) return false;
        if (length > 0 && std::fread(name, 1, length, f) != length) return false;
        if (!ReadU32(f, start) || !ReadU32(f, end)) return false;
        entries.emplace_back(std::string(name, length), start, end);
        position += 12 + static_cast<std::uint64_t>(length);
    }
    if (position > UINT32_MAX) return false;

    directory = std::move(entries);
    dataBase = static_cast<std::uint32_t>(position);
    return true;
}

const CPackEntry* CPackFile::FindEntry(const std::string& name) const {
    for (const CPackEntry& entry : directory) {
        if (entry.name == name) return &entry;
    }
    return nullptr;
}

bool CPackFile::ExtractEntry(const std::string& name, const std::string& outputPath) const {
    if (dataBase == 0) return false;
    const CPackEntry* entry = FindEntry(name);
    if (!entry) return false;
    // An end before the start would be a size of nearly 4 GB: the entry is broken.
    if (entry->end < entry->start) return false;
    // A file name without its folder would land wherever the program was started from.
    if (!std::filesystem::path(outputPath).is_absolute()) return false;

    FilePtr out(std::fopen(outputPath.c_str(), "wb"));
    if (!out) return false;
    FilePtr in(std::fopen(packPath.c_str(), "rb"));
    if (!in) return false;

    std::uint64_t left = entry->end - entry->start;
    std::uint64_t offset = static_cast<std::uint64_t>(dataBase) + entry->start;
    if (left > 0 && SeekTo(in.get(), offset)) {
        std::unique_ptr<unsigned char[]> buffer(new unsigned char[kCopyChunk]);
        while (left > 0) {
            std::size_t want = left < kCopyChunk ? static_cast<std::size_t>(left) : kCopyChunk;
            std::size_t got = std::fread(buffer.get(), 1, want, in.get());
            // A pack that ends early cuts the entry short; that still counts as extracted.
            if (got == 0) break;
            if (std::fwrite(buffer.get(), 1, got, out.get()) != got) return false;
            left -= got;
        }
    }
    // A full disk must not pass for a complete copy.
    return std::fclose(out.release()) == 0;
}
