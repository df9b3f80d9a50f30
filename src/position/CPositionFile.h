#pragma once
// A saved position: the edge shapes and turn of every piece, the groups and where they lie,
// and the game clock. On disk it is a little-endian binary file beside the extracted
// archive; in memory it is what the last read found, kept for the re-cut and the restore.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class CPuzzle;
class IPlatform;

struct SavedPieceRecord {
    std::int32_t col = 0, row = 0, rotation = 0;
    std::int32_t sides[4][2] = {}; // set number and slot of the right, bottom, left, top side
    std::int32_t x = 0, y = 0;     // board position; written, not used when reading
    friend bool operator==(const SavedPieceRecord&, const SavedPieceRecord&) = default;
};

struct SavedGroupRecord {
    std::int32_t x = 0, y = 0;                                // the group's origin
    std::vector<std::pair<std::int32_t, std::int32_t>> cells; // (col, row), reference first
    friend bool operator==(const SavedGroupRecord&, const SavedGroupRecord&) = default;
};

class CPositionFile {
  public:
    static constexpr std::int32_t kMagic = 9738;
    static constexpr std::size_t kHeaderSize = 340;
    static constexpr std::size_t kCutNameSize = 64;
    static constexpr std::size_t kPathSize = 256;
    static constexpr std::size_t kPieceRecordSize = 52;
    static constexpr std::size_t kGroupHeadSize = 12;
    static constexpr std::size_t kCellSize = 8;
    // No puzzle has more rows or columns than the largest picture holds of the smallest cells.
    static constexpr std::int32_t kMaxGridSide = 8192;

    CPositionFile() = default;
    virtual ~CPositionFile() = default;
    CPositionFile(const CPositionFile&) = default;
    CPositionFile& operator=(const CPositionFile&) = default;
    CPositionFile(CPositionFile&&) = default;
    CPositionFile& operator=(CPositionFile&&) = default;

    // Takes the position of `puzzle` with the clock's seconds and the rotation setting.
    void Capture(const CPuzzle& puzzle, std::uint32_t clockSeconds, std::int32_t rotationSetting);
    // The file's bytes for what is held. False with a reason when a text does not fit its
    // field: a shortened path would name another file.
    bool Encode(std::vector<std::uint8_t>* bytes, std::string* why) const;
    // Captures `puzzle` and replaces the file at `path` atomically. False with a reason in
    // `why` when nothing could be saved; the previous file then stays as it was.
    bool Write(const std::string& path, const CPuzzle& puzzle, std::uint32_t clockSeconds,
               std::int32_t rotationSetting, std::string* why);

    // Reads the file at `path` into this object. False, leaving everything as it was, when
    // the file is missing, its header is short or has a wrong magic, or the archive it names
    // cannot be opened. On success the rotation setting follows the file (telling the player
    // through `platform` when that changes it) and the clock takes the saved seconds.
    bool Read(const std::string& path, std::int32_t& rotationSetting, std::uint32_t& clockSeconds,
              IPlatform* platform);
    // The header and body checks of Read on the bytes alone, without the archive check or
    // any effect outside this object.
    bool Parse(const std::uint8_t* data, std::size_t size);

    std::string cutName;     // the cut the pieces were cut with
    std::string archivePath; // the archive the position belongs to
    std::int32_t columns = 0; // grid columns when saved: piece (c, r) is record r x columns + c
    std::uint32_t seconds = 0;
    std::int32_t useRotation = 0;
    std::int32_t percentWhole = 0;
    std::vector<SavedPieceRecord> pieces;
    std::vector<SavedGroupRecord> groups;
};
