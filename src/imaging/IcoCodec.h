#pragma once
// Windows icon (and cursor) files: the largest, deepest image of the set, with its mask.
#include "imaging/DecodedImage.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Colour behind the masked-out (transparent) parts of an icon.
constexpr std::uint32_t kIconBackground = 0xFFFFFF;

// Decodes the biggest image (ties: most bits per pixel) whose bitmap reads cleanly. Takes
// 1, 4, 8, 24 and 32-bit bitmaps with their AND mask, and PNG-compressed images; alpha
// (of 32-bit bitmaps and of PNG images) is blended onto kIconBackground.
bool DecodeIco(const std::uint8_t* data, std::size_t size, DecodedImage& out, std::string* error,
               std::size_t maxPixels = kMaxPicturePixels);
