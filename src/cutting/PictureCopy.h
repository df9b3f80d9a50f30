#pragma once
// The picture's pixels copied into plain memory once per cut or rebuild; every piece
// samples this copy instead of locking the picture surface.
#include "display/PixelFormat.h"

#include <cstdint>
#include <vector>

class CSurface;

struct PictureCopy {
    std::vector<std::uint8_t> bits; // pitch x height bytes
    std::int32_t pitch = 0;         // bytes per row
    std::int32_t width = 0;
    std::int32_t height = 0;
    PixelFormatCode format = RGB32;
    int bytesPerPixel = 4;

    // Bpp bytes of picture pixel (x, y), or null left of, above, or beyond the picture.
    const std::uint8_t* PixelAt(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) return nullptr;
        return bits.data() + static_cast<std::size_t>(y) * pitch +
               static_cast<std::size_t>(x) * bytesPerPixel;
    }
};

// Locks the picture and copies it whole; an empty copy when there is no picture.
void MakePictureCopy(CSurface* picture, PictureCopy* copy);
