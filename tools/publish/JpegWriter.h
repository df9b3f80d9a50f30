#pragma once
// Writing pictures as JPEG files through libjpeg, for the demo picture and for tests.
#include "Progress.h"
#include "imaging/DecodedImage.h"

#include <cstdint>
#include <string>
#include <vector>

namespace publish {

// The image as a baseline (or progressive) JPEG of quality 1-100, telling `progress` the rows
// done. Empty on failure.
std::vector<std::uint8_t> EncodeJpeg(const DecodedImage& image, int quality, bool progressive = false,
                                     Progress* progress = nullptr);
bool WriteJpegFile(const std::string& path, const DecodedImage& image, int quality, std::string* error);

} // namespace publish
