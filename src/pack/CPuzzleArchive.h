#pragma once
// Reader of a puzzle archive: a 12-byte header, a directory of 76-byte records describing
// contiguous entries, and the entry bytes, some of them scrambled with the game's key.
#include "pack/CArchiveEntry.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CPuzzleArchive {
  public:
    static constexpr std::uint32_t kHeaderSize = 12;
    static constexpr std::uint32_t kRecordSize = 76;
    static constexpr std::uint32_t kNameField = 64;

    CPuzzleArchive();
    virtual ~CPuzzleArchive();
    CPuzzleArchive(const CPuzzleArchive&) = delete;
    CPuzzleArchive& operator=(const CPuzzleArchive&) = delete;

    // Reads the header and the directory. Fails on a short header, a count below 1, records
    // that are not contiguous, or any record ending before its start or beyond the file.
    bool Open(const std::string& archivePath);
    // The first entry with exactly this name, or null.
    CArchiveEntry* FindEntry(const std::string& entryName) const;

    std::string path;
    std::uint32_t unusedWord = 0;
    std::int32_t count = 0;
    std::uint32_t dataOffset = 0;
    std::uint8_t key[3] = {};
    std::vector<std::unique_ptr<CArchiveEntry>> entries; // directory order
};
