#pragma once
// GIF pictures: the first frame as a picture, and the transparent index a banner needs.
#include "imaging/DecodedImage.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Decodes frame 0 onto the logical screen; transparent and uncovered pixels become `fill`.
bool DecodeGif(const std::uint8_t* data, std::size_t size, DecodedImage& out, std::string* error,
               std::uint32_t fill = 0xFFFFFF, std::size_t maxPixels = kMaxPicturePixels);

// The transparent colour index declared by the graphic control extension just before the
// first image, or -1: none declared, no image, not a GIF ("GI" missing), or unreadable.
int GifTransparentIndex(const std::string& path);
int GifTransparentIndexOf(const std::uint8_t* data, std::size_t size);
