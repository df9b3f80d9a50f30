#pragma once
// The library of edge shapes every puzzle is cut with, read from the pack entry
// "piecedefs". The file is text:
//
//   line 1      not interpreted (a title)
//   line 2      the fallback cell size, decimal
//   then sets:  a set number line, followed by eight pairs of lines for slots 0..7:
//                 the pack entry name of the side bitmap
//                 the partner slot (decimal): the slot, in the same set, of the shape the
//                 neighbouring piece uses on the facing edge
//
// Lines end with a line feed (a carriage return before it is ignored) and must stay
// under 64 characters including it. Numbers are read like atoi. Every set counts once
// towards the set count, and shapes are found by (set number, slot): the first match in
// file order wins. Cutting draws set numbers 0 .. count-1.
#include "cutting/CSideShape.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TextModeReader;

class CSideList {
  public:
    // Copies a pack entry into a file; true when it succeeded.
    using EntryExtractor = std::function<bool(const std::string& entryName, const std::string& outputPath)>;

    CSideList();
    virtual ~CSideList() = default;
    CSideList(const CSideList&) = delete;
    CSideList& operator=(const CSideList&) = delete;

    // Reads the side list from the pack into "temp" and every side bitmap through
    // "temp3" in the temporary directory. False (list unchanged) when "piecedefs" cannot
    // be extracted or its file cannot be read; `cutName` only names the failure in the log.
    bool Load(const std::string& cutName);
    // Replaces the shapes with those of a side list text. Side bitmaps are extracted to
    // `scratchBitmap` one at a time and loaded from there.
    void ReadList(const std::string& text, const std::string& scratchBitmap);

    CSideShape* FindShape(std::int32_t set, std::int32_t slot) const;
    void Clear();

    std::vector<std::unique_ptr<CSideShape>> shapes; // file order
    std::int32_t setCount = 0;                       // set headers read
    // Where entries come from: the game's pack unless replaced (tests, tools).
    EntryExtractor extractEntry;

  private:
    void ReadSet(TextModeReader& reader, std::int32_t setNumber, const std::string& scratchBitmap,
                 bool* ended);
};

// Extracts an entry of the running game's pack.
bool ExtractFromGamePack(const std::string& entryName, const std::string& outputPath);
