#include "imaging/PcxCodec.h"

#include <vector>

namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::size_t kTrailingPaletteSize = 769; // 0x0C then 256 RGB triples
constexpr std::uint8_t kPcxMaker = 0x0A;

std::uint16_t U16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t Rgb(const std::uint8_t* p) {
    return (static_cast<std::uint32_t>(p[0]) << 16) | (static_cast<std::uint32_t>(p[1]) << 8) | p[2];
}

// Hands out the decoded byte stream one scan line at a time. Runs may carry on from one
// line into the next, as some writers produce them.
class RleReader {
  public:
    RleReader(const std::uint8_t* data, std::size_t size, bool compressed)
        : data(data), size(size), compressed(compressed) {}

    bool ReadLine(std::uint8_t* line, std::size_t length) {
        std::size_t filled = 0;
        while (filled < length) {
            if (runLeft > 0) {
                const std::size_t n = runLeft < length - filled ? runLeft : length - filled;
                for (std::size_t i = 0; i < n; ++i)
                    line[filled + i] = runValue;
                filled += n;
                runLeft -= n;
                continue;
            }
            if (pos >= size) return false;
            const std::uint8_t b = data[pos++];
            if (!compressed || (b & 0xC0) != 0xC0) {
                line[filled++] = b;
                continue;
            }
            if (pos >= size) return false;
            runLeft = b & 0x3F;
            runValue = data[pos++];
        }
        return true;
    }

  private:
    const std::uint8_t* data;
    std::size_t size;
    bool compressed;
    std::size_t pos = 0;
    std::size_t runLeft = 0;
    std::uint8_t runValue = 0;
};

} // namespace

bool DecodePcx(const std::uint8_t* data, std::size_t size, DecodedImage& out, std::string* error,
               std::size_t maxPixels) {
    out = DecodedImage{};
    auto fail = [&](const char* message) {
        if (error) *error = message;
        out = DecodedImage{};
        return false;
    };
    if (!data || size < kHeaderSize || data[0] != kPcxMaker) return fail("not a PCX file");
    const std::uint8_t encoding = data[2];
    const int bpp = data[3];
    const int xMin = U16(data + 4), yMin = U16(data + 6), xMax = U16(data + 8), yMax = U16(data + 10);
    const int planes = data[65];
    const std::size_t bytesPerLine = U16(data + 66);
    if (encoding > 1) return fail("PCX encoding unknown");
    if (xMax < xMin || yMax < yMin) return fail("PCX window empty");
    const int width = xMax - xMin + 1, height = yMax - yMin + 1;
    if (width > kMaxPictureSide || height > kMaxPictureSide ||
        static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > maxPixels)
        return fail("PCX picture too large");

    const bool paletted8 = bpp == 8 && planes == 1;
    const bool rgb = bpp == 8 && (planes == 3 || planes == 4);
    const bool planar16 = bpp == 1 && planes >= 1 && planes <= 4;
    const bool packed16 = (bpp == 2 || bpp == 4) && planes == 1;
    if (!paletted8 && !rgb && !planar16 && !packed16) return fail("PCX layout not supported");
    if (bytesPerLine == 0 || bytesPerLine * 8 < static_cast<std::size_t>(width) * bpp)
        return fail("PCX line length too short");

    const std::size_t lineBytes = bytesPerLine * static_cast<std::size_t>(planes);
    const std::uint64_t totalBytes =
        static_cast<std::uint64_t>(lineBytes) * static_cast<std::uint64_t>(height);
    // Two bytes of run code make at most 63 bytes; refuse before allocating when the file
    // cannot possibly hold the picture.
    const bool compressed = encoding == 1;
    const std::uint64_t available = size - kHeaderSize;
    if (compressed ? totalBytes > available * 63 / 2 + 63 : totalBytes > available)
        return fail("PCX data ends early");

    std::uint32_t palette[256] = {};
    if (paletted8) {
        if (size >= kHeaderSize + kTrailingPaletteSize && data[size - kTrailingPaletteSize] == 0x0C) {
            const std::uint8_t* p = data + size - kTrailingPaletteSize + 1;
            for (int i = 0; i < 256; ++i)
                palette[i] = Rgb(p + 3 * i);
        } else {
            for (std::uint32_t i = 0; i < 256; ++i)
                palette[i] = i * 0x010101u;
        }
    } else if (planar16 && planes == 1) {
        palette[0] = 0x000000;
        palette[1] = 0xFFFFFF;
    } else if (!rgb) {
        for (int i = 0; i < 16; ++i)
            palette[i] = Rgb(data + 16 + 3 * i);
    }

    out.width = width;
    out.height = height;
    out.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    std::vector<std::uint8_t> line(lineBytes);
    RleReader reader(data + kHeaderSize, size - kHeaderSize, compressed);
    for (int y = 0; y < height; ++y) {
        if (!reader.ReadLine(line.data(), lineBytes)) return fail("PCX data ends early");
        std::uint32_t* dst = out.pixels.data() + static_cast<std::size_t>(y) * width;
        const std::uint8_t* l = line.data();
        for (int x = 0; x < width; ++x) {
            if (paletted8) {
                dst[x] = palette[l[x]];
            } else if (rgb) {
                dst[x] = (static_cast<std::uint32_t>(l[x]) << 16) |
                         (static_cast<std::uint32_t>(l[bytesPerLine + x]) << 8) | l[2 * bytesPerLine + x];
            } else if (planar16) {
                unsigned index = 0;
                for (int p = 0; p < planes; ++p)
                    index |= ((l[p * bytesPerLine + (x >> 3)] >> (7 - (x & 7))) & 1u) << p;
                dst[x] = palette[index];
            } else {
                const std::size_t bit = static_cast<std::size_t>(x) * bpp;
                const unsigned index = (l[bit >> 3] >> (8 - bpp - (bit & 7))) & ((1u << bpp) - 1);
                dst[x] = palette[index];
            }
        }
    }
    if (error) error->clear();
    return true;
}
