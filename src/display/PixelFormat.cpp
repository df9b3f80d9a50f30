#include "display/PixelFormat.h"

PixelFormatCode ClassifyPixelFormat(const PixelFormatDesc& desc) {
    switch (desc.bitsPerPixel) {
    case 16: {
        const std::uint32_t green = desc.greenMask & ~0x1Fu;
        if (green == 0x3E0) return RGB555;
        if (green == 0x7E0) return RGB565;
        return RGB16Other;
    }
    case 24:
        return RGB24;
    case 32:
        return RGB32;
    default:
        return OtherFormat;
    }
}

PixelFormatDesc DescribePixelFormat(PixelFormatCode code) {
    PixelFormatDesc d;
    switch (code) {
    case RGB555:
        d = {16, 0x7C00, 0x03E0, 0x001F};
        break;
    case RGB565:
        d = {16, 0xF800, 0x07E0, 0x001F};
        break;
    case RGB16Other:
        d = {16, 0x0F00, 0x00F0, 0x000F};
        break;
    case RGB24:
        d = {24, 0xFF0000, 0x00FF00, 0x0000FF};
        break;
    case RGB32:
        d = {32, 0xFF0000, 0x00FF00, 0x0000FF};
        break;
    case OtherFormat:
        d = {8, 0xE0, 0x1C, 0x03};
        break;
    }
    return d;
}

int BytesPerPixel(PixelFormatCode code) {
    switch (code) {
    case RGB555:
    case RGB565:
    case RGB16Other:
        return 2;
    case RGB24:
        return 3;
    case RGB32:
        return 4;
    case OtherFormat:
        break;
    }
    return 1;
}

int BitsPerPixel(PixelFormatCode code) {
    return BytesPerPixel(code) * 8;
}

namespace {

// Widens an n-bit channel to 8 bits by repeating its bits (31 -> 255, 16 -> 132).
std::uint32_t Widen(std::uint32_t v, int bits) {
    std::uint32_t out = 0;
    for (int filled = 0; filled < 8; filled += bits)
        out = (out << bits) | v;
    const int total = ((8 + bits - 1) / bits) * bits;
    return (out >> (total - 8)) & 0xFF;
}

} // namespace

std::uint32_t RgbToPixel(PixelFormatCode code, std::uint32_t rgb) {
    const std::uint32_t r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    switch (code) {
    case RGB555:
        return (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3);
    case RGB565:
        return (r >> 3) << 11 | (g >> 2) << 5 | (b >> 3);
    case RGB16Other:
        return (r >> 4) << 8 | (g >> 4) << 4 | (b >> 4);
    case RGB24:
    case RGB32:
        return rgb & 0xFFFFFF;
    case OtherFormat:
        break;
    }
    return (r >> 5) << 5 | (g >> 5) << 2 | (b >> 6);
}

std::uint32_t PixelToRgb(PixelFormatCode code, std::uint32_t p) {
    std::uint32_t r = 0, g = 0, b = 0;
    switch (code) {
    case RGB555:
        r = Widen(p >> 10 & 31, 5), g = Widen(p >> 5 & 31, 5), b = Widen(p & 31, 5);
        break;
    case RGB565:
        r = Widen(p >> 11 & 31, 5), g = Widen(p >> 5 & 63, 6), b = Widen(p & 31, 5);
        break;
    case RGB16Other:
        r = Widen(p >> 8 & 15, 4), g = Widen(p >> 4 & 15, 4), b = Widen(p & 15, 4);
        break;
    case RGB24:
    case RGB32:
        return p & 0xFFFFFF;
    case OtherFormat:
        r = Widen(p >> 5 & 7, 3), g = Widen(p >> 2 & 7, 3), b = Widen(p & 3, 2);
        break;
    }
    return r << 16 | g << 8 | b;
}

std::uint32_t ColourToPixel(PixelFormatCode code, COLORREF colour) {
    return RgbToPixel(code, static_cast<std::uint32_t>(GetRValue(colour)) << 16 |
                                static_cast<std::uint32_t>(GetGValue(colour)) << 8 |
                                static_cast<std::uint32_t>(GetBValue(colour)));
}

COLORREF PixelToColour(PixelFormatCode code, std::uint32_t pixel) {
    const std::uint32_t rgb = PixelToRgb(code, pixel);
    return RGB(static_cast<int>(rgb >> 16), static_cast<int>(rgb >> 8 & 0xFF), static_cast<int>(rgb & 0xFF));
}

std::uint32_t PixelValueMask(PixelFormatCode code) {
    switch (BytesPerPixel(code)) {
    case 1:
        return 0xFF;
    case 2:
        return 0xFFFF;
    case 3:
        return 0xFFFFFF;
    default:
        return 0xFFFFFFFF;
    }
}
