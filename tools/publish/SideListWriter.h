#pragma once
// Turns generated side sets into what the game reads: the "piecedefs" text and one side
// bitmap per shape, each a pack entry of its own.
#include "PackWriter.h"
#include "SideShapeGenerator.h"

#include <string>
#include <vector>

namespace publish {

struct SideListFiles {
    std::string text;                     // the "piecedefs" entry
    std::vector<PackEntrySource> bitmaps; // the side bitmaps it names, in file order
};

class SideListWriter {
  public:
    // The side list for a cut: a title line, the cut's cell size, then each set with the
    // entry name and partner slot of its eight shapes. A cut without sets gives a list
    // with no sets, which the game cuts into squares.
    static SideListFiles Write(const CutInfo& cut, const std::vector<SideSet>& sets);
    // The pack entry name of one shape's bitmap.
    static std::string BitmapName(int set, int slot);
    // A 24-bit bitmap of a map, every pixel the map's grey.
    static std::vector<std::uint8_t> EncodeMap(const SideMap& map);
};

} // namespace publish
