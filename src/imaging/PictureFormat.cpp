#include "imaging/PictureFormat.h"

PictureFormat PictureFormatFromName(const std::string& name) {
    if (name == "bmp") return PictureBmp;
    if (name == "gif") return PictureGif;
    if (name == "jpg" || name == "jpeg") return PictureJpeg;
    if (name == "ico") return PictureIco;
    if (name == "pcx") return PicturePcx;
    return PictureUnknown;
}
