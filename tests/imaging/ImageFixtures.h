#pragma once
// Real picture files for the decoder tests: JPEG through libjpeg's compressor, GIF through
// giflib's encoder, icons and PCX assembled byte by byte.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;
using PixelFn = std::function<std::uint32_t(int x, int y)>; // 0x00RRGGBB

Bytes ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const Bytes& bytes);

struct JpegOptions {
    int quality = 95;
    bool greyscale = false;
    bool progressive = false;
};
// Compresses into `path` and returns the file's bytes.
Bytes MakeJpeg(const std::string& path, int width, int height, const PixelFn& pixel,
               JpegOptions options = {});

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
    std::vector<std::uint8_t> planeBytes;     // decoded scan lines: height * planes * bytesPerLine
    std::vector<std::uint32_t> headerPalette; // up to 16 entries
    std::vector<std::uint32_t> palette256;    // written after the data when not empty
    bool compressed = true;
    bool crossLineRuns = false; // let runs continue into the next line
};
Bytes MakePcx(PcxLayout spec);
