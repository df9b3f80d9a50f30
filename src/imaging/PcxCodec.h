#pragma once
// ZSoft PCX pictures, run-length coded or plain.
#include "imaging/DecodedImage.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Takes 8-bit paletted (256-colour table at the end, grey without one), 24-bit as three
// 8-bit planes (a fourth plane is ignored), 1-bit black and white, and 16-colour images
// (1 bit in 2 to 4 planes, or 2 or 4 bits in one plane) with the header's table.
bool DecodePcx(const std::uint8_t* data, std::size_t size, DecodedImage& out, std::string* error,
               std::size_t maxPixels = kMaxPicturePixels);
