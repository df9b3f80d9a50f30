#include "imaging/PictureConverter.h"

#include "imaging/BmpCodec.h"
#include "imaging/PictureDecoder.h"

#include <cstdio>
#include <vector>

bool ConvertPictureToBitmap(const std::uint8_t* data, std::size_t size, PictureFormat format,
                            const std::string& bitmapPath, DecodedImage& picture) {
    // The loader goes on to load whatever bitmap is there; an old one must not stand in.
    std::remove(bitmapPath.c_str());
    if (!DecodePicture(data, size, format, picture, nullptr)) return false;
    if (WriteBmpFile(bitmapPath, picture)) return true;
    // Leave no half-written bitmap behind either.
    std::remove(bitmapPath.c_str());
    picture = DecodedImage{};
    return false;
}

bool ConvertPictureToBitmap(const std::string& picturePath, PictureFormat format,
                            const std::string& bitmapPath) {
    std::vector<std::uint8_t> bytes;
    if (!ReadPictureFile(picturePath, bytes, nullptr)) bytes.clear();
    DecodedImage picture;
    return ConvertPictureToBitmap(bytes.data(), bytes.size(), format, bitmapPath, picture);
}
