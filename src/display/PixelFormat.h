#pragma once
#include "platform/WinTypes.h"

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
// The description of each code (RGB16Other uses 4-4-4 masks; OtherFormat is 8 bits, which
// we store as 3-3-2 only so that such a display can be created and then refused).
PixelFormatDesc DescribePixelFormat(PixelFormatCode code);
int BytesPerPixel(PixelFormatCode code);
int BitsPerPixel(PixelFormatCode code);

// Colour <-> pixel value. Like a 16-bit display, channels are cut to their top bits on the
// way in and widened by repeating those bits on the way out.
std::uint32_t RgbToPixel(PixelFormatCode code, std::uint32_t rgb); // rgb is 0x00RRGGBB
std::uint32_t PixelToRgb(PixelFormatCode code, std::uint32_t pixel);
std::uint32_t ColourToPixel(PixelFormatCode code, COLORREF colour); // colour is 0x00BBGGRR
COLORREF PixelToColour(PixelFormatCode code, std::uint32_t pixel);
// Mask of the bits a pixel value of this layout uses.
std::uint32_t PixelValueMask(PixelFormatCode code);
