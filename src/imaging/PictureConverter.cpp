#include "imaging/PictureConverter.h"

#include "imaging/BmpCodec.h"
#include "imaging/PictureDecoder.h"

#include <cstdio>

bool ConvertPictureToBitmap(const std::string& picturePath, PictureFormat format,
                            const std::string& bitmapPath) {
    // The loader goes on to load whatever bitmap is there; an old one must not stand in.
    std::remove(bitmapPath.c_str());

    DecodedImage image;
    if (!DecodePictureFile(picturePath, format, image, nullptr)) return false;
    if (WriteBmpFile(bitmapPath, image)) return true;
    // Leave no half-written bitmap behind either.
    std::remove(bitmapPath.c_str());
    return false;
}
