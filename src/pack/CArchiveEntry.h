#pragma once
// One entry of a puzzle archive, read as a stream of bytes or lines straight from the file.
#include "platform/FileAccess.h"

#include <cstdint>
#include <string>
#include <vector>

class CPuzzleArchive;

class CArchiveEntry {
  public:
    // End mark returned by ReadByte.
    static constexpr int kEnd = -1;

    CArchiveEntry(CPuzzleArchive* owner, std::string entryName, std::uint64_t absoluteStart,
                  std::uint64_t absoluteEnd, std::uint8_t scrambleFlag);
    virtual ~CArchiveEntry();
    CArchiveEntry(const CArchiveEntry&) = delete;
    CArchiveEntry& operator=(const CArchiveEntry&) = delete;

    // Opens the archive file and positions it at the entry's first byte.
    bool OpenStream();
    void CloseStream();
    // The next byte (descrambled when the entry is scrambled), or kEnd at the entry's end
    // or where the file itself ends; kEnd again on every later call.
    int ReadByte();
    // One line by the carriage-return rule; returns the characters stored. Leaves the buffer
    // untouched and returns 0 when the stream is not open.
    int ReadLine(char* buffer, int size);
    // The whole entry from its start (descrambled) into `bytes`, or as much of it as the file
    // still holds. Needs an open stream.
    bool ReadAll(std::vector<std::uint8_t>& bytes);
    // Copies the entry from its start into `path` (created or emptied). Needs an open stream.
    bool ExtractTo(const std::string& path);

    std::uint8_t scrambled = 0;
    std::string name; // at most 63 characters
    std::uint64_t start = 0;
    std::uint64_t end = 0;
    std::uint64_t position = 0; // absolute offset of the next byte
    FilePtr file; // open between OpenStream and CloseStream
    CPuzzleArchive* archive = nullptr;
};
