#pragma once
// Turns the puzzle's picture, in whatever format it came, into the bitmap file the
// display loads the picture surface from.
#include "imaging/DecodedImage.h"
#include "imaging/PictureFormat.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Decodes the picture held in `data` as `format` and writes it as a 24-bit bitmap to
// `bitmapPath`; `picture` keeps the decoded pixels when the bitmap was written and is left
// empty otherwise. Any bitmap already there is removed first, so a picture that fails to
// convert can never be replaced by the previous puzzle's. True when written.
bool ConvertPictureToBitmap(const std::uint8_t* data, std::size_t size, PictureFormat format,
                            const std::string& bitmapPath, DecodedImage& picture);
// The same for a picture file.
bool ConvertPictureToBitmap(const std::string& picturePath, PictureFormat format,
                            const std::string& bitmapPath);
