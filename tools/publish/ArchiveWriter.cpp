#include "ArchiveWriter.h"

#include "PackWriter.h"
#include "imaging/PictureFormat.h"
#include "pack/ScrambleKey.h"

#include <cstring>
#include <limits>

namespace publish {
namespace {

constexpr std::size_t kHeaderSize = 12;
constexpr std::size_t kRecordSize = 76;
constexpr std::size_t kMaxEntryName = 63;
// The first word of the header; the game does not read it.
constexpr std::uint32_t kArchiveVersionWord = 1;

void PutU32At(std::vector<std::uint8_t>* out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        (*out)[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

bool CheckLine(const std::string& text, std::size_t limit, int number, std::string* error) {
    if (text.find_first_of("\r\n") != std::string::npos || text.find('\0') != std::string::npos) {
        if (error) *error = "options line " + std::to_string(number) + " holds a line break or a zero byte";
        return false;
    }
    if (text.size() > limit) {
        if (error) {
            *error = "options line " + std::to_string(number) + " is longer than " + std::to_string(limit) +
                     " characters";
        }
        return false;
    }
    return true;
}

} // namespace

bool FormatOptions(const ArchiveOptions& o, std::string* text, std::string* error) {
    if (PictureFormatFromName(o.pictureType) == PictureUnknown) {
        if (error)
            *error = "unknown picture type \"" + o.pictureType + "\" (bmp, jpg, jpeg, gif, ico or pcx)";
        return false;
    }
    const std::string lines[14] = {
        o.pictureType,
        o.cutName,
        o.title,
        o.completionText,
        std::to_string(o.ghostPermission),
        std::to_string(o.previewPermission),
        std::to_string(o.line7),
        std::to_string(o.targetHours),
        std::to_string(o.targetMinutes),
        o.line10,
        o.line11,
        std::to_string(o.line12),
        o.line13,
        o.line14,
    };
    std::string result;
    for (int i = 0; i < 14; ++i) {
        if (!CheckLine(lines[i], i == 13 ? 1023 : 255, i + 1, error)) return false;
        result += lines[i];
        result += "\r\n";
    }
    *text = std::move(result);
    return true;
}

bool BuildArchive(const std::vector<ArchiveEntrySource>& entries, std::vector<std::uint8_t>* archive,
                  std::string* error) {
    if (entries.empty()) {
        if (error) *error = "an archive needs at least one entry";
        return false;
    }
    std::uint64_t total = kHeaderSize + kRecordSize * static_cast<std::uint64_t>(entries.size());
    for (const ArchiveEntrySource& entry : entries) {
        if (entry.name.empty() || entry.name.size() > kMaxEntryName ||
            entry.name.find('\0') != std::string::npos) {
            if (error) *error = "archive entry names must have 1 to 63 characters: \"" + entry.name + "\"";
            return false;
        }
        total += entry.bytes.size();
    }
    if (total > std::numeric_limits<std::uint32_t>::max() ||
        entries.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        if (error) *error = "archive too large: offsets must fit in 32 bits";
        return false;
    }

    const std::uint8_t scrambleByte =
        kArchiveScrambleKey[0] ^ kArchiveScrambleKey[1] ^ kArchiveScrambleKey[2];
    const std::size_t dataOffset = kHeaderSize + kRecordSize * entries.size();
    archive->assign(dataOffset, 0);
    PutU32At(archive, 0, kArchiveVersionWord);
    PutU32At(archive, 4, static_cast<std::uint32_t>(entries.size()));
    PutU32At(archive, 8, static_cast<std::uint32_t>(dataOffset));
    std::uint32_t offset = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const ArchiveEntrySource& entry = entries[i];
        const std::size_t record = kHeaderSize + kRecordSize * i;
        std::memcpy(archive->data() + record, entry.name.data(), entry.name.size());
        PutU32At(archive, record + 64, offset);
        offset += static_cast<std::uint32_t>(entry.bytes.size());
        PutU32At(archive, record + 68, offset);
        PutU32At(archive, record + 72, entry.scrambled ? 1 : 0);
    }
    for (const ArchiveEntrySource& entry : entries) {
        for (std::uint8_t b : entry.bytes)
            archive->push_back(entry.scrambled ? b ^ scrambleByte : b);
    }
    return true;
}

bool BuildPuzzleArchive(const ArchiveOptions& options, const std::vector<std::uint8_t>& picture,
                        bool scramble, std::vector<std::uint8_t>* archive, std::string* error) {
    std::string text;
    if (!FormatOptions(options, &text, error)) return false;
    std::vector<ArchiveEntrySource> entries(2);
    entries[0].name = "options";
    entries[0].bytes.assign(text.begin(), text.end());
    entries[0].scrambled = scramble;
    entries[1].name = "picture";
    entries[1].bytes = picture;
    entries[1].scrambled = scramble;
    return BuildArchive(entries, archive, error);
}

bool WriteArchive(const std::string& path, const std::vector<ArchiveEntrySource>& entries,
                  std::string* error) {
    std::vector<std::uint8_t> archive;
    if (!BuildArchive(entries, &archive, error)) return false;
    return WriteFileBytes(path, archive, error);
}

} // namespace publish
