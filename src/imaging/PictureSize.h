#pragma once
// A picture's width and height read from its header alone, so that a picture too large to
// cut can be refused before anything is decoded.
#include "imaging/PictureFormat.h"

#include <cstddef>
#include <cstdint>
#include <string>

struct PictureSize {
    std::int64_t width = 0, height = 0;
};

// False when the format is not one whose header is read here (icons: they pick an image)
// or the header is cut short or broken; the decoder then decides on the picture.
bool ReadPictureSize(const std::uint8_t* data, std::size_t size, PictureFormat format, PictureSize& out);
