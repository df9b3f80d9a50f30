#pragma once
// Turns the puzzle's picture, in whatever format it came, into the bitmap file the
// display loads the picture surface from.
#include "imaging/PictureFormat.h"

#include <string>

// Decodes `picturePath` as `format` and writes it as a 24-bit bitmap to `bitmapPath`. Any
// bitmap already there is removed first, so a picture that fails to convert can never be
// replaced by the previous puzzle's. True when written.
bool ConvertPictureToBitmap(const std::string& picturePath, PictureFormat format,
                            const std::string& bitmapPath);
