#pragma once
// Appends a pack of named entries to a copy of the game program, in the layout the game's
// pack reader (CPackFile) expects: the program, padded to the search offset when shorter,
// then the marker, the entry count, the directory and the entry bytes, stored plain.
#include <cstdint>
#include <string>
#include <vector>

namespace publish {

// One pack entry: its name (at most 255 bytes, case matters) and its bytes.
struct PackEntrySource {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

// The marker, directory and data that follow the program (no padding).
// False with `error` set when an entry name is longer than 255 bytes or the pack
// would not fit the 32-bit offsets.
bool BuildPack(const std::vector<PackEntrySource>& entries, std::vector<std::uint8_t>* pack,
               std::string* error);

// Pads `program` with zero bytes up to the search offset when shorter and appends the pack.
// Refuses a program that already holds the marker at or after the search offset (the game
// would take that place for its pack).
bool AppendPackToImage(std::vector<std::uint8_t>* program, const std::vector<PackEntrySource>& entries,
                       std::string* error);

// File variant: reads `program`, writes program + pack to `output` (replacing it).
// On failure nothing usable is left at `output` and `error` says why.
bool AppendPack(const std::string& program, const std::vector<PackEntrySource>& entries,
                const std::string& output, std::string* error);

// Offset of the first marker at or after the search offset, or -1 when there is none.
std::int64_t FindPackMarker(const std::vector<std::uint8_t>& image);

// Reads a whole file; false with `error` set when it cannot be read.
bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>* bytes, std::string* error);
// Writes a whole file, replacing it atomically: on failure the old file is left as it was.
// False with `error` set on failure.
bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string* error);

} // namespace publish
