#pragma once
// The size a picture is published at, chosen from what the author asked for: a piece count,
// a largest size, both or neither. Pictures are only ever made smaller, never stretched.
namespace publish {

struct PictureSizeRequest {
    int pieces = 0;    // about this many pieces; 0: not asked
    int maxWidth = 0;  // at most this wide and high; 0: not asked
    int maxHeight = 0;
};

struct PictureSize {
    int width = 0;
    int height = 0;
    bool operator==(const PictureSize&) const = default;
};

// The picture of width x height scaled down keeping its aspect ratio: to fit the largest size,
// and with a piece count to the size whose grid of `cell`-pixel cells comes closest to it (its
// width then a whole number of cells). The original size when nothing is asked or nothing fits.
PictureSize ChoosePictureSize(int width, int height, int cell, const PictureSizeRequest& request);

// "WxH" with both sides 1 to `limit`; false for anything else.
bool ParseSize(const char* text, int limit, int* width, int* height);

} // namespace publish
