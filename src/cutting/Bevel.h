#pragma once
// Bevelling of piece images: edges on the top and left are lightened and those on the
// bottom and right darkened, so pieces look raised with light from the top left.
#include "display/PixelFormat.h"

#include <cstdint>

struct BevelParams {
    int startIntensity = 30;
    int width = 2;      // a run gets width + 1 shaded pixels
    int decrement = 10; // intensity lost per shaded pixel
};

// "bevellevel": 0 low (30, 1, 10), 1 medium (30, 2, 10), anything else high (40, 3, 12).
BevelParams BevelParamsForLevel(int bevelLevel);

// Lightens (min(v + amount, 254)) or darkens (max(v - amount, 0)) one pixel in place.
// 24/32-bit: every byte, the fourth included. 16-bit: each channel widened to 8 bits,
// shaded, kept within 8..248 with its three low bits cleared, and packed back; 5-6-5 for
// RGB565, 5-5-5 for every other 16-bit layout.
void ShadePixel(std::uint8_t* pixel, int bpp, PixelFormatCode format, bool lighten, int amount);

// Four passes over an image and its mask (rows left to right, columns top to bottom,
// lightening; rows right to left, columns bottom to top, darkening). Each run of inside
// pixels entering from outside gets its first width + 1 pixels shaded with falling
// intensity; the intensity, count and armed state carry over between runs and passes.
void ApplyBevel(const std::uint8_t* mask, std::uint8_t* image, int bpp, int width, int height, int imagePitch,
                PixelFormatCode format, const BevelParams& params);

// The same with every mask byte outside `box` known to be outside: the passes skip those
// pixels and give the same image.
struct BevelBox {
    int left, top, right, bottom; // right and bottom exclusive
};
void ApplyBevel(const std::uint8_t* mask, std::uint8_t* image, int bpp, int width, int height, int imagePitch,
                PixelFormatCode format, const BevelParams& params, const BevelBox& box);
