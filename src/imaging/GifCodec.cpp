#include "imaging/GifCodec.h"

#include "imaging/GifAnimation.h"

bool DecodeGif(const std::uint8_t* data, std::size_t size, DecodedImage& out, std::string* error,
               std::uint32_t fill, std::size_t maxPixels) {
    out = DecodedImage{};
    CGifAnimation gif;
    if (!gif.Load(data, size, error, 1, maxPixels)) return false;
    return gif.ComposeFrame(0, fill, out);
}
