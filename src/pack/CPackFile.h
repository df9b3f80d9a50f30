#pragma once
// Reader of the pack appended to the game program: finds the pack by its marker, reads the
// directory of named entries and copies single entries out into files.
#include "pack/CPackEntry.h"

#include <cstdint>
#include <string>
#include <vector>

class CPackFile {
  public:
    CPackFile() = default;
    virtual ~CPackFile() = default;
    CPackFile(const CPackFile&) = delete;
    CPackFile& operator=(const CPackFile&) = delete;

    // Scans `path` for the marker from `searchOffset` on and reads the directory after it.
    // A directory cut off by the end of the file, a name longer than 255 bytes or a count
    // the rest of the file cannot hold fail the open and leave the reader empty.
    bool OpenPackFile(const std::string& path, std::uint32_t searchOffset);
    // The first entry in directory order with exactly this name, or null.
    const CPackEntry* FindEntry(const std::string& name) const;
    // Copies the entry's bytes into `outputPath` (created or emptied; a relative path is
    // refused). An entry reaching past the end of the pack file is copied as far as the file goes.
    bool ExtractEntry(const std::string& name, const std::string& outputPath) const;

    std::string packPath;
    std::vector<CPackEntry> directory; // file order
    // File offset of the data area; 0 while no pack is open, and every extraction fails then.
    std::uint32_t dataBase = 0;
};

// This copy's folder for transient files (ending in a separator); empty before start-up.
std::string PackTempDirectory();
