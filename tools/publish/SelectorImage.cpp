#include "SelectorImage.h"

#include "imaging/BmpCodec.h"

namespace publish {

std::vector<std::uint8_t> SelectorImage::Bitmap() {
    // The game places the image kSide / 2 up and left of the piece's centre.
    static const char* const kRows[kSide] = {
        "..####..", //
        ".#hhoo#.", //
        "#hhoooo#", //
        "#hoooor#", //
        "#oooorr#", //
        "#ooorrr#", //
        ".#orrr#.", //
        "..####..", //
    };
    DecodedImage image;
    image.width = image.height = kSide;
    for (const char* row : kRows) {
        for (int x = 0; x < kSide; ++x) {
            std::uint32_t colour = 0xFFFFFF; // transparent
            switch (row[x]) {
            case '#':
                colour = 0x402010;
                break;
            case 'h':
                colour = 0xFFF4B0;
                break;
            case 'o':
                colour = 0xFFB020;
                break;
            case 'r':
                colour = 0xE07010;
                break;
            default:
                break;
            }
            image.pixels.push_back(colour);
        }
    }
    return EncodeBmp24(image);
}

} // namespace publish
