#pragma once
// Picture files for the decoder, display and publishing tests: bitmaps, icons and PCX built
// byte by byte so tests control every field, GIF through giflib's encoder.
#include "imaging/DecodedImage.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

using Bytes = std::vector<std::uint8_t>;
using PixelFn = std::function<std::uint32_t(int x, int y)>; // 0x00RRGGBB

Bytes ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const Bytes& bytes);
void PutLe(Bytes& v, std::uint32_t x, int bytes);
// A decoded picture of width x height from `pixels` (0x00RRGGBB, top row first).
inline DecodedImage ImageOf(int w, int h, std::vector<std::uint32_t> px) { return {w, h, std::move(px)}; }

struct BmpLayout {
    int headerSize = 40; // 12 core, 40 info, 108 V4, 124 V5
    std::int32_t width = 2;
    std::int32_t height = 2; // negative: top-down
    int bits = 24;
    std::uint32_t compression = 0;
    std::uint32_t coloursUsed = 0;
    std::vector<std::uint32_t> palette; // 0x00RRGGBB
    std::vector<std::uint32_t> masks;   // r, g, b when compression is 3
    Bytes pixelData;                    // exactly as stored
    std::int64_t offsetOverride = -1;   // pixel offset written into the file header
};
Bytes MakeBmp(const BmpLayout& layout);

struct GifFrameSpec {
    int left = 0, top = 0, width = 0, height = 0;
    std::vector<std::uint8_t> indices;       // width * height, top row first
    std::vector<std::uint32_t> localPalette; // empty: use the global one
    int delayCs = -1;                        // -1: no graphic control extension
    int transparentIndex = -1;
    int disposal = 0;
    bool interlaced = false;
};
// Writes a GIF89a with EGifOpenFileName; palettes are padded to a power of two.
Bytes MakeGif(const std::string& path, int screenWidth, int screenHeight,
              const std::vector<std::uint32_t>& globalPalette, const std::vector<GifFrameSpec>& frames);

struct IcoImageSpec {
    int width = 0, height = 0;
    int bitsPerPixel = 32;              // 1, 4, 8, 24 or 32
    std::vector<std::uint32_t> palette; // for 8 bits and fewer
    // 0x00RRGGBB for 24 bits, 0xAARRGGBB for 32, a palette index otherwise; top row first.
    std::vector<std::uint32_t> pixels;
    std::vector<bool> masked; // true: transparent through the AND mask; may be empty
    bool png = false;         // store a (fake) PNG signature instead
};
Bytes MakeIco(const std::vector<IcoImageSpec>& images);

struct PcxLayout {
    int width = 0, height = 0;
    int bitsPerPixel = 8;
    int planes = 1;
    int bytesPerLine = 0;                     // 0: the least that fits, rounded to even
    Bytes planeBytes;                         // decoded scan lines: height * planes * bytesPerLine
    std::vector<std::uint32_t> headerPalette; // up to 16 entries
    std::vector<std::uint32_t> palette256;    // written after the data when not empty
    bool compressed = true;
    bool crossLineRuns = false; // let runs continue into the next line
};
Bytes MakePcx(PcxLayout layout);
