#include "imaging/PictureFormat.h"

PictureFormat PictureFormatFromName(const std::string& name) {
    if (name == "bmp") return PictureBmp;
    if (name == "gif") return PictureGif;
    if (name == "jpg" || name == "jpeg") return PictureJpeg;
    if (name == "ico") return PictureIco;
    if (name == "pcx") return PicturePcx;
    return PictureUnknown;
}

PictureFormat PictureFormatFromFileName(const std::string& fileName) {
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string::npos) return PictureUnknown;
    std::string extension = fileName.substr(dot + 1);
    // ASCII only: the names looked up are plain ASCII and a locale must not change them.
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return PictureFormatFromName(extension);
}
