#pragma once
#include <cstdint>

// Pixel layouts a surface can have. The pixel-level code of cutting and bevelling
// switches on these codes.
enum PixelFormatCode : std::int32_t {
    RGB555 = 0,
    RGB565 = 1,
    RGB16Other = 2,
    RGB24 = 3, // stored B, G, R
    RGB32 = 4, // stored B, G, R, X
    OtherFormat = 5,
};

// Bits and channel masks of one layout, as a display driver would describe it.
struct PixelFormatDesc {
    int bitsPerPixel = 32;
    std::uint32_t redMask = 0xFF0000, greenMask = 0x00FF00, blueMask = 0x0000FF;
};

// Classifies a layout by its bit count and green mask.
PixelFormatCode ClassifyPixelFormat(const PixelFormatDesc& desc);
// The description of each code (RGB16Other uses 4-4-4 masks, OtherFormat 8-bit palettised).
PixelFormatDesc DescribePixelFormat(PixelFormatCode code);
int BytesPerPixel(PixelFormatCode code);
