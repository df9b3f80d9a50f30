#pragma once
// A decoded picture in memory: top-down rows of 0x00RRGGBB pixels.
#include <cstdint>
#include <vector>

// Pictures larger than this on either side are refused by every decoder.
constexpr int kMaxPictureSide = 16384;
// Most pixels the JPEG, GIF, icon and PCX decoders allocate for one image (256 MB of
// 0x00RRGGBB); a bigger puzzle picture is far beyond anything the 5000 x 5000 board can use.
constexpr std::size_t kMaxPicturePixels = std::size_t{64} * 1024 * 1024;

struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // width * height, row-major, top row first

    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    bool Empty() const { return width <= 0 || height <= 0; }
};
