#pragma once
// JPEG pictures through libjpeg (the 6b interface). Errors inside the library come back
// here as a failed decode; a corrupt or hostile file never ends the program.
#include "imaging/DecodedImage.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Decodes baseline or progressive JPEG (greyscale, YCbCr/RGB or CMYK/YCCK) held in memory.
// Refuses pictures wider or taller than kMaxPictureSide or with more than maxPixels pixels,
// and files whose compressed data ends before the last row.
bool DecodeJpeg(const std::uint8_t* data, std::size_t size, DecodedImage& out, std::string* error,
                std::size_t maxPixels = kMaxPicturePixels);
