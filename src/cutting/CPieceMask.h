#pragma once
// One piece outline: the square body plus up to four edge shapes, as one byte per pixel
// of the piece image (0 inside, 255 outside), the bounding box of the inside and the inside
// as runs of pixels, from which the piece's shadow, a black silhouette, is drawn under the
// piece on the board.
//
// With h = cell size / 2 the mask is S x S, S = 4h; the body covers columns and rows
// h .. 3h-1. Edge shapes are stamped with their top left corner at (2h, h) right,
// (h, 2h) bottom, (0, h) left and (h, 0) top.
#include "display/PixelOps.h"

#include <cstdint>
#include <vector>

struct CutContext;

struct MaskKeyEntry {
    std::int32_t slot = -1;      // -1: straight edge
    std::int32_t setNumber = -1; // -2 on the border
    std::int32_t direction = -1; // slot mod 4, -1 when not drawn
};

class CPieceMask {
  public:
    CPieceMask() = default;
    virtual ~CPieceMask();
    CPieceMask(const CPieceMask&) = delete;
    CPieceMask& operator=(const CPieceMask&) = delete;

    // Draws the outline for `entries` (right, bottom, left, top) with the context's side
    // list at its cell size, then finds its box and runs: SetKey, then DrawOutline.
    void Build(const MaskKeyEntry entries[4], const CutContext& context);
    void SetKey(const MaskKeyEntry entries[4]);
    // Reads only the key and the context, so masks may be drawn on several threads at once.
    void DrawOutline(const CutContext& context);
    // Bounding box and inside runs from the mask bytes; nothing inside gives the box
    // (9999, 9999, 1, 1), which loops over it skip, and no runs.
    void FindInside();

    // Same (slot, set number) on all four sides, in order.
    bool KeyEquals(const MaskKeyEntry entries[4]) const;

    MaskKeyEntry key[4];
    std::vector<std::uint8_t> bytes;
    std::vector<PixelRun> insideRuns; // top to bottom, left to right
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t left = 9999, top = 9999, right = 0, bottom = 0; // right and bottom exclusive
};

// The mask image side for a cell size: 4 * (cell / 2).
inline int PieceImageSide(int cell) {
    return 4 * (cell / 2);
}

// Stamps a map at (originX, originY) of an S x S mask: above 200 inside, 9..199 outside,
// everything else untouched. Parts of the map that fall outside the mask are dropped.
void StampMap(std::uint8_t* mask, int side, const std::uint8_t* map, int mapWidth, int mapHeight, int originX,
              int originY);
