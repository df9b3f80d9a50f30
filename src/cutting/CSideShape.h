#pragma once
// One edge shape of the side list: a greyscale map, cellSize x cellSize as published,
// placed over half of the piece body and the margin beyond one edge.
//
// Map values: above 200 adds piece material (a tab), 9..199 cuts it away (a hollow),
// up to 8 and exactly 200 leave the outline as it is.
#include "display/PixelFormat.h"

#include <cstdint>
#include <string>
#include <vector>

class CDisplay;
class CSurface;

class CSideShape {
  public:
    CSideShape() = default;
    CSideShape(std::int32_t set, std::int32_t slotInSet, std::int32_t partner)
        : setNumber(set), slot(slotInSet), partnerSlot(partner) {}
    virtual ~CSideShape() = default;

    // Loads a side bitmap through the display, in its pixel layout, and keeps the red
    // component of every pixel. On failure the map is left empty and false returned.
    bool LoadMap(CDisplay* display, const std::string& bitmapFile);
    // The same from a surface already in memory.
    bool LoadMapFromSurface(CSurface* surface);

    std::int32_t setNumber = 0;
    std::int32_t slot = 0;        // 0..7; slot mod 4 is the edge direction it serves
    std::int32_t partnerSlot = 0; // slot of the facing shape on the neighbouring piece
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> map; // width x height, row-major
};

// Red component of one pixel as an 8-bit value. 16-bit layouts keep the channel's bits at
// the top of the byte: 5-6-5 (pixel >> 8) & 0xF8, every other 16-bit layout 5-5-5
// (pixel >> 7) & 0xF8. 24-bit pixels are B, G, R and 32-bit B, G, R, X: the third byte.
std::uint8_t RedComponent(const std::uint8_t* pixel, PixelFormatCode format);
