#include "imaging/PictureSize.h"

#include <cstdlib>

namespace {

std::uint32_t Le16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t Be16(const std::uint8_t* p) { return (p[0] << 8) | p[1]; }
std::int32_t Le32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24));
}

bool JpegSize(const std::uint8_t* data, std::size_t size, PictureSize& out) {
    if (size < 4 || data[0] != 0xFF || data[1] != 0xD8) return false;
    std::size_t at = 2;
    while (at + 4 <= size) {
        if (data[at] != 0xFF) return false;
        const std::uint8_t marker = data[at + 1];
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) { // no length
            at += 2;
            continue;
        }
        const std::size_t length = Be16(data + at + 2);
        if (length < 2) return false;
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (at + 9 > size) return false;
            out.height = Be16(data + at + 5);
            out.width = Be16(data + at + 7);
            return true;
        }
        at += 2 + length;
    }
    return false;
}

} // namespace

bool ReadPictureSize(const std::uint8_t* data, std::size_t size, PictureFormat format, PictureSize& out) {
    out = {};
    if (!data) return false;
    switch (format) {
    case PictureBmp:
        if (size < 26 || data[0] != 'B' || data[1] != 'M') return false;
        if (Le32(data + 14) == 12) {
            out = {Le16(data + 18), Le16(data + 20)};
        } else {
            // A negative height is a top-down bitmap; the size is the same.
            out = {Le32(data + 18), std::llabs(static_cast<long long>(Le32(data + 22)))};
        }
        return true;
    case PictureGif:
        if (size < 10 || data[0] != 'G' || data[1] != 'I' || data[2] != 'F') return false;
        out = {Le16(data + 6), Le16(data + 8)};
        return true;
    case PicturePcx:
        if (size < 12 || data[0] != 0x0A) return false;
        out = {static_cast<std::int64_t>(Le16(data + 8)) - Le16(data + 4) + 1,
               static_cast<std::int64_t>(Le16(data + 10)) - Le16(data + 6) + 1};
        return true;
    case PictureJpeg:
        return JpegSize(data, size, out);
    default:
        return false;
    }
}
