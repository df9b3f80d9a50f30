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
// file order wins. Cutting draws set numbers 0 .. count-1. The list only reports its
// cell size; whoever loads it decides whether it applies.
#include "cutting/CSideShape.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CDisplay;
class TextModeReader;

class CSideList {
  public:
    // Copies a pack entry into a file; true when it succeeded.
    using EntryExtractor = std::function<bool(const std::string& entryName, const std::string& outputPath)>;

    // Where a list and its bitmaps come from: entries copied into files in `workFolder`
    // ("temp" for the list, "temp3" for each side bitmap in turn), bitmaps loaded
    // through `display` in its pixel layout.
    struct Source {
        EntryExtractor extract;
        CDisplay* display = nullptr;
        std::string workFolder; // ends in a separator
    };

    CSideList() = default;
    virtual ~CSideList() = default;
    CSideList(const CSideList&) = delete;
    CSideList& operator=(const CSideList&) = delete;

    // Reads the entry "piecedefs" and every side bitmap it names. False (list unchanged)
    // when the entry cannot be extracted or its file cannot be read; `cutName` only names
    // the failure in the log.
    bool Load(const Source& source, const std::string& cutName);
    // Replaces the shapes with those of a side list text.
    void ReadList(const std::string& text, const Source& source);

    CSideShape* FindShape(std::int32_t set, std::int32_t slot) const;
    void Clear();

    std::vector<std::unique_ptr<CSideShape>> shapes; // file order
    std::int32_t setCount = 0;                       // set headers read
    std::int32_t cellSize = 0;                       // line 2 as read, 0 without one

  private:
    void ReadSet(TextModeReader& reader, std::int32_t setNumber, const Source& source, bool* ended);
};
