#include "imaging/PictureDecoder.h"

#include "imaging/BmpCodec.h"
#include "imaging/GifCodec.h"
#include "imaging/IcoCodec.h"
#include "imaging/JpegCodec.h"
#include "imaging/PcxCodec.h"

bool DecodePicture(const std::uint8_t* data, std::size_t size, PictureFormat format, DecodedImage& out,
                   std::string* error) {
    out = DecodedImage{};
    bool ok = false;
    switch (format) {
    case PictureBmp:
        ok = DecodeBmp(data, size, out, error);
        break;
    case PictureGif:
        ok = DecodeGif(data, size, out, error);
        break;
    case PictureJpeg:
        ok = DecodeJpeg(data, size, out, error);
        break;
    case PictureIco:
        ok = DecodeIco(data, size, out, error);
        break;
    case PicturePcx:
        ok = DecodePcx(data, size, out, error);
        break;
    default:
        if (error) *error = "picture format unknown";
        break;
    }
    // Every caller relies on a successful decode meaning real pixels.
    if (ok && (out.Empty() || out.pixels.size() != static_cast<std::size_t>(out.width) * out.height)) {
        if (error) *error = "picture decoded to nothing";
        ok = false;
    }
    if (!ok) out = DecodedImage{};
    return ok;
}

bool DecodePictureFile(const std::string& path, PictureFormat format, DecodedImage& out, std::string* error) {
    out = DecodedImage{};
    std::vector<std::uint8_t> bytes;
    if (!ReadPictureFile(path, bytes, error)) return false;
    return DecodePicture(bytes.data(), bytes.size(), format, out, error);
}
