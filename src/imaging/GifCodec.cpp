#include "imaging/GifCodec.h"

#include "imaging/GifAnimation.h"
#include "imaging/PictureDecoder.h"

#include <vector>

bool DecodeGif(const std::uint8_t* data, std::size_t size, DecodedImage& out, std::string* error,
               std::uint32_t fill, std::size_t maxPixels) {
    out = DecodedImage{};
    CGifAnimation gif;
    if (!gif.Load(data, size, error, 1, maxPixels)) return false;
    return gif.ComposeFrame(0, fill, out);
}

int GifTransparentIndexOf(const std::uint8_t* data, std::size_t size) {
    if (!data || size < 2 || data[0] != 'G' || data[1] != 'I') return -1;
    // Signature and version (6), logical screen descriptor (7), then the global table.
    std::size_t pos = 13;
    if (size < pos) return -1;
    const std::uint8_t screenFlags = data[10];
    if (screenFlags & 0x80) pos += 3 * (std::size_t{2} << (screenFlags & 7));

    int transparent = -1;
    while (pos < size) {
        const std::uint8_t introducer = data[pos++];
        if (introducer == 0x2C) return transparent;       // the first image
        if (introducer != 0x21 || pos >= size) return -1; // trailer or garbage: no image follows
        const std::uint8_t label = data[pos++];
        bool first = true;
        // Sub-blocks up to the zero-length terminator.
        for (;;) {
            if (pos >= size) return -1;
            const std::size_t length = data[pos++];
            if (length == 0) break;
            if (length > size - pos) return -1;
            if (label == 0xF9 && first && length >= 4) {
                // A later control extension replaces an earlier one.
                transparent = (data[pos] & 1) ? data[pos + 3] : -1;
            }
            first = false;
            pos += length;
        }
    }
    return -1;
}

int GifTransparentIndex(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (!ReadPictureFile(path, bytes, nullptr)) return -1;
    return GifTransparentIndexOf(bytes.data(), bytes.size());
}
