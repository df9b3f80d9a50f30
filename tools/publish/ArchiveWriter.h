#pragma once
// Writes puzzle archives in the layout the game's CPuzzleArchive reads: a 12-byte header
// (unused word, entry count, data offset), 76-byte directory records with contiguous
// entries, then the entry bytes, each entry optionally scrambled with the game's key.
#include <cstdint>
#include <string>
#include <vector>

namespace publish {

// One archive entry: name (1 to 63 characters), bytes, and whether to store it scrambled.
struct ArchiveEntrySource {
    std::string name;
    std::vector<std::uint8_t> bytes;
    bool scrambled = false;
};

// The fourteen lines of a puzzle's "options" entry.
struct ArchiveOptions {
    std::string pictureType = "jpg";    // line 1: "bmp", "jpg", "jpeg", "gif", "ico" or "pcx"
    std::string cutName = "medium";     // line 2: "small" ... "jagged"
    std::string title;                  // line 3
    std::string completionText;         // line 4: shown on completion when 2 characters or more
    std::int32_t ghostPermission = 1;   // line 5
    std::int32_t previewPermission = 1; // line 6
    std::int32_t line7 = 0;             // read by the game, not used
    std::int32_t targetHours = 0;       // line 8
    std::int32_t targetMinutes = 0;     // line 9
    std::string line10, line11;         // read, not used
    std::int32_t line12 = 0;            // read, not used
    std::string line13;                 // read, not used
    std::string line14;                 // read, not used; up to 1023 characters
};

// The options entry text: fourteen lines, each ended with CR LF. False with `error` set
// when a line holds a CR or LF, is longer than the game reads (255, line 14: 1023), or the
// picture type is not one the game knows.
bool FormatOptions(const ArchiveOptions& options, std::string* text, std::string* error);

// The whole archive. False with `error` set when there is no entry or a name is empty,
// longer than 63 characters, or the archive would not fit the 32-bit offsets.
bool BuildArchive(const std::vector<ArchiveEntrySource>& entries, std::vector<std::uint8_t>* archive,
                  std::string* error);

// A puzzle archive with the entries "options" and "picture", both scrambled or both plain.
bool BuildPuzzleArchive(const ArchiveOptions& options, const std::vector<std::uint8_t>& picture,
                        bool scramble, std::vector<std::uint8_t>* archive, std::string* error);

// BuildArchive written to a file (replacing it).
bool WriteArchive(const std::string& path, const std::vector<ArchiveEntrySource>& entries,
                  std::string* error);

} // namespace publish
