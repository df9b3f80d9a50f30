#pragma once
// The bundled demo puzzle's picture, painted by code: a mountain lake at evening with a
// low sun, clouds, snowy ranges, forests along the shore, their reflection in the water and
// a meadow full of flowers. Distinct regions and plenty of detail make it a fair puzzle.
#include "imaging/DecodedImage.h"

#include <string>

namespace publish {

constexpr int kDemoWidth = 800;
constexpr int kDemoHeight = 600;

// The same picture every time.
DecodedImage RenderDemoPicture();
// RenderDemoPicture written as a JPEG file.
bool WriteDemoPicture(const std::string& path, std::string* error);

} // namespace publish
