#pragma once
// The picture formats a puzzle or a banner may come in, chosen by a type name.
#include <cstdint>
#include <string>

// Stored as the picture format code of the puzzle's options; 0 is no format.
enum PictureFormat : std::int32_t {
    PictureUnknown = 0,
    PictureBmp = 1,
    PictureGif = 2,
    PictureJpeg = 3,
    PictureIco = 4,
    PicturePcx = 5,
};

// Exact, case-sensitive lookup of "bmp", "gif", "jpg", "jpeg", "ico" or "pcx".
PictureFormat PictureFormatFromName(const std::string& name);
