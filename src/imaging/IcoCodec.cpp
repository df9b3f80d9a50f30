#include "imaging/IcoCodec.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include <png.h>

namespace {

std::uint16_t U16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t U32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

constexpr std::size_t kDirHeaderSize = 6;
constexpr std::size_t kDirEntrySize = 16;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint32_t kBiRgb = 0;

constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
// Signature, chunk length and type, then the header's width, height, depth and colour type.
constexpr std::size_t kPngHeaderEnd = 8 + 8 + 13;

std::uint32_t U32BigEndian(const std::uint8_t* p) {
    return (static_cast<std::uint32_t>(p[0]) << 24) | (static_cast<std::uint32_t>(p[1]) << 16) |
           (static_cast<std::uint32_t>(p[2]) << 8) | p[3];
}

// One image of the set, as far as its bitmap or PNG header tells.
struct Candidate {
    const std::uint8_t* dib = nullptr;
    std::size_t size = 0;
    std::int64_t width = 0;
    std::int64_t height = 0; // of the colour image, half the header's
    int bitsPerPixel = 0;
    bool png = false;
};

bool ReadPngCandidate(const std::uint8_t* image, std::size_t size, Candidate& c) {
    if (size < kPngHeaderEnd || std::memcmp(image + 12, "IHDR", 4) != 0) return false;
    const std::uint32_t width = U32BigEndian(image + 16), height = U32BigEndian(image + 20);
    if (width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF) return false;
    const int depth = image[24];
    int channels = 0;
    switch (image[25]) {
    case 0: channels = 1; break; // grey
    case 2: channels = 3; break; // RGB
    case 3: channels = 1; break; // palette
    case 4: channels = 2; break; // grey and alpha
    case 6: channels = 4; break; // RGBA
    default: return false;
    }
    c.dib = image;
    c.size = size;
    c.width = width;
    c.height = height;
    c.bitsPerPixel = depth * channels;
    c.png = true;
    return true;
}

bool ReadCandidate(const std::uint8_t* dib, std::size_t size, Candidate& c) {
    if (size < kInfoHeaderSize) return false;
    const std::uint32_t headerSize = U32(dib);
    if (headerSize < kInfoHeaderSize || headerSize > size) return false;
    const auto width = static_cast<std::int32_t>(U32(dib + 4));
    const auto doubleHeight = static_cast<std::int32_t>(U32(dib + 8));
    if (width <= 0 || doubleHeight < 2) return false;
    c.dib = dib;
    c.size = size;
    c.width = width;
    c.height = doubleHeight / 2;
    c.bitsPerPixel = U16(dib + 14);
    return true;
}

std::uint32_t Blend(std::uint32_t colour, unsigned alpha) {
    auto channel = [&](int shift) {
        const unsigned v = (colour >> shift) & 0xFF;
        const unsigned bg = (kIconBackground >> shift) & 0xFF;
        return ((v * alpha + bg * (255 - alpha) + 127) / 255) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

bool Refuse(std::string& why, const char* message) {
    why = message;
    return false;
}

bool TooLarge(const Candidate& c, std::size_t maxPixels) {
    return c.width > kMaxPictureSide || c.height > kMaxPictureSide ||
           static_cast<std::uint64_t>(c.width) * static_cast<std::uint64_t>(c.height) > maxPixels;
}

// libpng's simplified reader: it keeps its own error handling and never jumps out of here.
bool DecodePngCandidate(const Candidate& c, DecodedImage& out, std::string& why, std::size_t maxPixels) {
    if (TooLarge(c, maxPixels)) return Refuse(why, "icon too large");
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, c.dib, c.size)) return Refuse(why, "icon PNG image unreadable");
    // The header was read again by the library; its sizes are the ones that count.
    if (image.width != c.width || image.height != c.height) {
        png_image_free(&image);
        return Refuse(why, "icon PNG image unreadable");
    }
    image.format = PNG_FORMAT_BGRA;
    const std::size_t count = static_cast<std::size_t>(image.width) * image.height;
    // Each pixel is four bytes B, G, R, A in memory: the little-endian 0xAARRGGBB.
    std::vector<std::uint8_t> bytes(count * 4);
    if (!png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr)) {
        png_image_free(&image);
        return Refuse(why, "icon PNG image unreadable");
    }
    out.width = static_cast<int>(image.width);
    out.height = static_cast<int>(image.height);
    out.pixels.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* p = bytes.data() + 4 * i;
        const std::uint32_t colour =
            (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[1]) << 8) | p[0];
        out.pixels[i] = Blend(colour, p[3]);
    }
    return true;
}

bool DecodeCandidate(const Candidate& c, DecodedImage& out, std::string& why, std::size_t maxPixels) {
    if (c.png) return DecodePngCandidate(c, out, why, maxPixels);
    const std::uint8_t* dib = c.dib;
    const std::uint32_t headerSize = U32(dib);
    const int bpp = c.bitsPerPixel;
    if (U32(dib + 16) != kBiRgb) return Refuse(why, "icon bitmap compression not supported");
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32)
        return Refuse(why, "icon bit depth not supported");
    if (TooLarge(c, maxPixels)) return Refuse(why, "icon too large");
    const int w = static_cast<int>(c.width), h = static_cast<int>(c.height);

    std::uint32_t palette[256] = {};
    std::uint64_t colours = 0;
    if (bpp <= 8) {
        const std::uint32_t used = U32(dib + 32);
        colours = used ? used : (1u << bpp);
        if (colours > (1u << bpp)) return Refuse(why, "icon palette too long");
    }
    const std::uint64_t xorStart = headerSize + 4 * colours;
    const std::uint64_t xorStride = (static_cast<std::uint64_t>(w) * bpp + 31) / 32 * 4;
    const std::uint64_t andStride = (static_cast<std::uint64_t>(w) + 31) / 32 * 4;
    const std::uint64_t andStart = xorStart + xorStride * static_cast<std::uint64_t>(h);
    if (andStart > c.size) return Refuse(why, "icon bitmap ends early");
    for (std::uint64_t i = 0; i < colours; ++i) {
        const std::uint8_t* q = dib + headerSize + 4 * i;
        palette[i] =
            (static_cast<std::uint32_t>(q[2]) << 16) | (static_cast<std::uint32_t>(q[1]) << 8) | q[0];
    }
    // A 32-bit icon may carry no mask; others without one are shown opaque.
    const bool hasMask = andStart + andStride * static_cast<std::uint64_t>(h) <= c.size;

    out.width = w;
    out.height = h;
    out.pixels.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0);
    bool anyAlpha = false;
    std::vector<std::uint8_t> alpha;
    if (bpp == 32) alpha.assign(out.pixels.size(), 0);

    for (int row = 0; row < h; ++row) {
        const std::uint8_t* src = dib + xorStart + xorStride * static_cast<std::uint64_t>(row);
        const int y = h - 1 - row; // rows are stored bottom-up
        std::uint32_t* dst = out.pixels.data() + static_cast<std::size_t>(y) * w;
        for (int x = 0; x < w; ++x) {
            switch (bpp) {
            case 1:
                dst[x] = palette[(src[x >> 3] >> (7 - (x & 7))) & 1];
                break;
            case 4:
                dst[x] = palette[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF];
                break;
            case 8:
                dst[x] = palette[src[x]];
                break;
            case 24: {
                const std::uint8_t* p = src + 3 * static_cast<std::size_t>(x);
                dst[x] =
                    (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[1]) << 8) | p[0];
                break;
            }
            default: {
                const std::uint8_t* p = src + 4 * static_cast<std::size_t>(x);
                dst[x] =
                    (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[1]) << 8) | p[0];
                alpha[static_cast<std::size_t>(y) * w + x] = p[3];
                anyAlpha = anyAlpha || p[3] != 0;
                break;
            }
            }
        }
    }

    if (anyAlpha) {
        // Alpha says it all; the mask only repeats it.
        for (std::size_t i = 0; i < out.pixels.size(); ++i)
            out.pixels[i] = Blend(out.pixels[i], alpha[i]);
    } else if (hasMask) {
        for (int row = 0; row < h; ++row) {
            const std::uint8_t* mask = dib + andStart + andStride * static_cast<std::uint64_t>(row);
            std::uint32_t* dst = out.pixels.data() + static_cast<std::size_t>(h - 1 - row) * w;
            for (int x = 0; x < w; ++x)
                if ((mask[x >> 3] >> (7 - (x & 7))) & 1) dst[x] = kIconBackground;
        }
    }
    return true;
}

} // namespace

bool DecodeIco(const std::uint8_t* data, std::size_t size, DecodedImage& out, std::string* error,
               std::size_t maxPixels) {
    out = DecodedImage{};
    auto fail = [&](const std::string& message) {
        if (error) *error = message;
        out = DecodedImage{};
        return false;
    };
    if (!data || size < kDirHeaderSize) return fail("not an icon file");
    const std::uint16_t type = U16(data + 2);
    const std::size_t count = U16(data + 4);
    if (U16(data) != 0 || (type != 1 && type != 2) || count == 0) return fail("not an icon file");
    if (kDirHeaderSize + count * kDirEntrySize > size) return fail("icon directory ends early");

    std::vector<Candidate> candidates;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* entry = data + kDirHeaderSize + i * kDirEntrySize;
        const std::uint64_t length = U32(entry + 8);
        const std::uint64_t offset = U32(entry + 12);
        if (offset >= size || length == 0) continue;
        // A short last entry is read as far as the file goes; the bitmap checks its own sizes.
        const std::size_t available =
            static_cast<std::size_t>(std::min<std::uint64_t>(length, size - offset));
        const std::uint8_t* image = data + offset;
        Candidate c;
        const bool png = available >= sizeof kPngSignature && std::memcmp(image, kPngSignature, sizeof kPngSignature) == 0;
        if (png ? ReadPngCandidate(image, available, c) : ReadCandidate(image, available, c))
            candidates.push_back(c);
    }
    std::stable_sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        const std::int64_t areaA = a.width * a.height, areaB = b.width * b.height;
        if (areaA != areaB) return areaA > areaB;
        return a.bitsPerPixel > b.bitsPerPixel;
    });

    std::string why = "icon holds no readable image";
    for (const Candidate& c : candidates) {
        if (DecodeCandidate(c, out, why, maxPixels)) {
            if (error) error->clear();
            return true;
        }
    }
    return fail(why);
}
