#pragma once
// Turns the puzzle's picture, in whatever format it came, into the bitmap file the
// display loads the picture surface from.
#include "imaging/PictureFormat.h"

#include <string>

// Decodes `picturePath` as `format` and writes it as a 24-bit bitmap to "puzzle1.bmp" in
// the temporary directory. Any bitmap already there is removed first, so a picture that
// fails to convert can never be replaced by the previous puzzle's. True when written.
bool ConvertPictureToBitmap(const std::string& picturePath, PictureFormat format);
// The same with the bitmap path given.
bool ConvertPictureToBitmap(const std::string& picturePath, PictureFormat format,
                            const std::string& bitmapPath);

// "puzzle1.bmp" in the temporary directory.
std::string PictureBitmapPath();
