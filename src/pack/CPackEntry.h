#pragma once
// One named entry of the pack: where its bytes lie, counted from the pack's data base.
#include <cstdint>
#include <string>

class CPackEntry {
  public:
    CPackEntry() = default;
    CPackEntry(std::string entryName, std::uint32_t entryStart, std::uint32_t entryEnd)
        : name(std::move(entryName)), start(entryStart), end(entryEnd) {}
    virtual ~CPackEntry() = default;

    std::string name; // at most 255 bytes, compared byte for byte
    std::uint32_t start = 0;
    std::uint32_t end = 0; // one past the last byte
};
