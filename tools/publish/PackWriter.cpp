#include "PackWriter.h"

#include "pack/PackFormat.h"
#include "platform/FileAccess.h"
#include "platform/FileReplace.h"

#include <cstdio>
#include <limits>
#include <memory>

namespace publish {
namespace {

// Programs and authors' pictures are far smaller; a bigger file is refused unread.
constexpr std::uintmax_t kMaxInputBytes = std::uintmax_t{1} << 30;

void PutU32(std::vector<std::uint8_t>* out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out->push_back(static_cast<std::uint8_t>(value >> shift));
}

} // namespace

bool BuildPack(const std::vector<PackEntrySource>& entries, std::vector<std::uint8_t>* pack,
               std::string* error) {
    std::uint64_t dataSize = 0;
    for (const PackEntrySource& entry : entries) {
        if (entry.name.size() > kMaxPackNameLength) {
            if (error) *error = "pack entry name longer than 255 bytes: " + entry.name.substr(0, 40) + "...";
            return false;
        }
        dataSize += entry.bytes.size();
    }
    if (entries.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()) ||
        dataSize > std::numeric_limits<std::uint32_t>::max()) {
        if (error) *error = "pack too large: entry offsets must fit in 32 bits";
        return false;
    }

    pack->clear();
    pack->push_back(static_cast<std::uint8_t>(kPackMarkerWindow >> 16));
    pack->push_back(static_cast<std::uint8_t>(kPackMarkerWindow >> 8));
    pack->push_back(static_cast<std::uint8_t>(kPackMarkerWindow));
    PutU32(pack, static_cast<std::uint32_t>(entries.size()));
    std::uint32_t offset = 0;
    for (const PackEntrySource& entry : entries) {
        PutU32(pack, static_cast<std::uint32_t>(entry.name.size()));
        pack->insert(pack->end(), entry.name.begin(), entry.name.end());
        PutU32(pack, offset);
        offset += static_cast<std::uint32_t>(entry.bytes.size());
        PutU32(pack, offset);
    }
    for (const PackEntrySource& entry : entries)
        pack->insert(pack->end(), entry.bytes.begin(), entry.bytes.end());
    return true;
}

std::int64_t FindPackMarker(const std::vector<std::uint8_t>& image) {
    std::uint32_t window = 0;
    for (std::size_t i = kPackSearchOffset; i < image.size(); ++i) {
        window = ((window << 8) | image[i]) & 0xFFFFFFu;
        if (window == kPackMarkerWindow) return static_cast<std::int64_t>(i) - 2;
    }
    return -1;
}

bool AppendPackToImage(std::vector<std::uint8_t>* program, const std::vector<PackEntrySource>& entries,
                       std::string* error) {
    std::int64_t existing = FindPackMarker(*program);
    if (existing >= 0) {
        if (error) {
            *error = "the program already holds the pack marker at offset " + std::to_string(existing) +
                     " (a published puzzle, or marker bytes at or after offset " +
                     std::to_string(kPackSearchOffset) + "); the game would read that as its pack";
        }
        return false;
    }
    std::vector<std::uint8_t> pack;
    if (!BuildPack(entries, &pack, error)) return false;
    if (program->size() < kPackSearchOffset) program->resize(kPackSearchOffset, 0);
    if (program->size() + pack.size() > std::numeric_limits<std::uint32_t>::max()) {
        if (error) *error = "program and pack together exceed 4 GB";
        return false;
    }
    program->insert(program->end(), pack.begin(), pack.end());
    return true;
}

bool AppendPack(const std::string& program, const std::vector<PackEntrySource>& entries,
                const std::string& output, std::string* error) {
    std::vector<std::uint8_t> image;
    if (!ReadFileBytes(program, &image, error)) return false;
    if (!AppendPackToImage(&image, entries, error)) return false;
    return WriteFileBytes(output, image, error);
}

bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>* bytes, std::string* error) {
    return ReadWholeFile(path, kMaxInputBytes, *bytes, error);
}

bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string* error) {
    // A puzzle already published under this name stays whole until the new one is written.
    std::string why;
    if (ReplaceFileAtomically(path, bytes, &why)) return true;
    if (error) *error = "cannot write " + path + ": " + why;
    return false;
}

} // namespace publish
