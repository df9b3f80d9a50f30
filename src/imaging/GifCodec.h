#pragma once
// GIF pictures: the first frame as a picture.
#include "imaging/DecodedImage.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Decodes frame 0 onto the logical screen; transparent and uncovered pixels become `fill`.
bool DecodeGif(const std::uint8_t* data, std::size_t size, DecodedImage& out, std::string* error,
               std::uint32_t fill = 0xFFFFFF, std::size_t maxPixels = kMaxPicturePixels);
