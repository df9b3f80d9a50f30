#include "imaging/BmpCodec.h"

#include "platform/FileAccess.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <limits>

namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kBiAlphaBitfields = 6;

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kCoreHeaderSize = 12;
constexpr std::size_t kInfoHeaderSize = 40;

// Files bigger than the largest picture at 32 bits (plus room for headers) are not bitmaps
// we want to read.
constexpr std::uint64_t kMaxFileSize = static_cast<std::uint64_t>(kMaxBmpPixels) * 4 + (1u << 20);

std::uint16_t U16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t U32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

bool Fail(std::string* error, const char* message) {
    if (error) *error = message;
    return false;
}

// One colour channel described by a mask: where it sits and how to stretch it to 8 bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t maximum = 0; // mask >> shift

    explicit Channel(std::uint32_t m) : mask(m) {
        if (m == 0) return;
        shift = std::countr_zero(m);
        maximum = m >> shift;
    }
    std::uint32_t Expand(std::uint32_t pixel) const {
        if (maximum == 0) return 0;
        const std::uint64_t v = (pixel & mask) >> shift;
        return static_cast<std::uint32_t>((v * 255 + maximum / 2) / maximum);
    }
};

struct Header {
    std::int64_t width = 0;
    std::int64_t height = 0; // negative: rows stored top-down
    int bitsPerPixel = 0;
    std::uint32_t compression = kBiRgb;
    std::uint32_t coloursUsed = 0;
    std::uint32_t masks[3] = {0, 0, 0};
    std::size_t headerSize = 0;
    std::size_t paletteEntrySize = 4;
};

// Reads the DIB header at data[0..size); fills `h` and the end of masks (palette start).
bool ParseHeader(const std::uint8_t* data, std::size_t size, Header& h, std::size_t& paletteStart,
                 std::string* error) {
    if (size < 4) return Fail(error, "bitmap header is truncated");
    h.headerSize = U32(data);
    if (h.headerSize == kCoreHeaderSize) {
        if (size < kCoreHeaderSize) return Fail(error, "bitmap header is truncated");
        h.width = U16(data + 4);
        h.height = U16(data + 6);
        h.bitsPerPixel = U16(data + 10);
        h.paletteEntrySize = 3;
        paletteStart = kCoreHeaderSize;
    } else if (h.headerSize >= kInfoHeaderSize && h.headerSize <= 1024) {
        if (size < h.headerSize) return Fail(error, "bitmap header is truncated");
        h.width = static_cast<std::int32_t>(U32(data + 4));
        h.height = static_cast<std::int32_t>(U32(data + 8));
        h.bitsPerPixel = U16(data + 14);
        h.compression = U32(data + 16);
        h.coloursUsed = U32(data + 32);
        paletteStart = h.headerSize;
        if (h.compression == kBiBitfields || h.compression == kBiAlphaBitfields) {
            if (h.headerSize == 64) return Fail(error, "OS/2 compressed bitmaps are not supported");
            const std::uint8_t* masks = data + kInfoHeaderSize;
            if (h.headerSize < 52) {
                // Plain info header: the masks follow it.
                const std::size_t maskBytes = h.compression == kBiAlphaBitfields ? 16 : 12;
                if (size - h.headerSize < maskBytes) return Fail(error, "bitmap masks are truncated");
                paletteStart += maskBytes;
            }
            for (int i = 0; i < 3; ++i)
                h.masks[i] = U32(masks + 4 * i);
        }
    } else {
        return Fail(error, "unknown bitmap header size");
    }

    if (h.width <= 0 || h.height == 0) return Fail(error, "bitmap has no pixels");
    const std::int64_t rows = h.height < 0 ? -h.height : h.height;
    if (h.width > kMaxPictureSide || rows > kMaxPictureSide) return Fail(error, "bitmap is too large");
    switch (h.bitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        return Fail(error, "unsupported bits per pixel");
    }
    switch (h.compression) {
    case kBiRgb:
        break;
    case kBiRle8:
    case kBiRle4:
        if (h.bitsPerPixel != (h.compression == kBiRle8 ? 8 : 4))
            return Fail(error, "run-length coding does not match the bit depth");
        if (h.height < 0) return Fail(error, "run-length coded bitmaps cannot be top-down");
        break;
    case kBiBitfields:
    case kBiAlphaBitfields:
        if (h.bitsPerPixel != 16 && h.bitsPerPixel != 32)
            return Fail(error, "channel masks need 16 or 32 bits");
        break;
    default:
        return Fail(error, "unsupported bitmap compression");
    }
    return true;
}

// Palette of an indexed bitmap; missing entries stay black so any index is safe to look up.
bool ReadPalette(const std::uint8_t* data, std::size_t size, const Header& h, std::size_t start,
                 std::size_t pixelOffset, std::uint32_t palette[256], std::string* error) {
    std::fill(palette, palette + 256, 0u);
    if (h.bitsPerPixel > 8) return true;
    const std::size_t maxEntries = std::size_t{1} << h.bitsPerPixel;
    std::size_t entries = h.coloursUsed == 0 ? maxEntries : std::min<std::size_t>(h.coloursUsed, maxEntries);
    // The palette may not overlap the pixels; some writers leave it short, which we allow.
    const std::size_t limit = std::min(size, pixelOffset);
    if (start > limit) return Fail(error, "bitmap palette lies outside the file");
    entries = std::min(entries, (limit - start) / h.paletteEntrySize);
    if (entries == 0) return Fail(error, "bitmap palette is missing");
    for (std::size_t i = 0; i < entries; ++i) {
        const std::uint8_t* e = data + start + i * h.paletteEntrySize;
        palette[i] =
            (static_cast<std::uint32_t>(e[2]) << 16) | (static_cast<std::uint32_t>(e[1]) << 8) | e[0];
    }
    return true;
}

std::uint64_t RowStride(const Header& h) {
    return (static_cast<std::uint64_t>(h.width) * static_cast<std::uint64_t>(h.bitsPerPixel) + 31) / 32 * 4;
}

// The last row's padding may be missing; its pixels may not.
std::uint64_t UncompressedBytesNeeded(const Header& h) {
    const std::uint64_t rows = static_cast<std::uint64_t>(h.height < 0 ? -h.height : h.height);
    const std::uint64_t rowBits =
        static_cast<std::uint64_t>(h.width) * static_cast<std::uint64_t>(h.bitsPerPixel);
    return RowStride(h) * (rows - 1) + (rowBits + 7) / 8;
}

bool DecodeUncompressed(const std::uint8_t* pixels, std::size_t available, const Header& h,
                        const std::uint32_t palette[256], DecodedImage& out, std::string* error) {
    const std::uint64_t width = static_cast<std::uint64_t>(h.width);
    const std::uint64_t rows = static_cast<std::uint64_t>(out.height);
    const std::uint64_t stride = RowStride(h);
    if (UncompressedBytesNeeded(h) > available) return Fail(error, "bitmap pixel data is truncated");

    std::uint32_t masks[3] = {h.masks[0], h.masks[1], h.masks[2]};
    if (h.compression == kBiRgb && h.bitsPerPixel == 16) {
        masks[0] = 0x7C00;
        masks[1] = 0x03E0;
        masks[2] = 0x001F;
    } else if (h.compression == kBiRgb && h.bitsPerPixel == 32) {
        masks[0] = 0xFF0000;
        masks[1] = 0x00FF00;
        masks[2] = 0x0000FF;
    }
    const Channel red(masks[0]), green(masks[1]), blue(masks[2]);
    const bool plain32 =
        h.bitsPerPixel == 32 && masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF;

    for (std::uint64_t y = 0; y < rows; ++y) {
        const std::uint64_t storedRow = h.height < 0 ? y : rows - 1 - y;
        const std::uint8_t* src = pixels + storedRow * stride;
        std::uint32_t* dst = out.pixels.data() + y * width;
        switch (h.bitsPerPixel) {
        case 1:
            for (std::uint64_t x = 0; x < width; ++x)
                dst[x] = palette[(src[x >> 3] >> (7 - (x & 7))) & 1];
            break;
        case 4:
            for (std::uint64_t x = 0; x < width; ++x)
                dst[x] = palette[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 15];
            break;
        case 8:
            for (std::uint64_t x = 0; x < width; ++x)
                dst[x] = palette[src[x]];
            break;
        case 24:
            for (std::uint64_t x = 0; x < width; ++x, src += 3)
                dst[x] = (static_cast<std::uint32_t>(src[2]) << 16) |
                         (static_cast<std::uint32_t>(src[1]) << 8) | src[0];
            break;
        case 16:
            for (std::uint64_t x = 0; x < width; ++x, src += 2) {
                const std::uint32_t v = U16(src);
                dst[x] = (red.Expand(v) << 16) | (green.Expand(v) << 8) | blue.Expand(v);
            }
            break;
        case 32:
            for (std::uint64_t x = 0; x < width; ++x, src += 4) {
                const std::uint32_t v = U32(src);
                dst[x] = plain32 ? (v & 0xFFFFFF)
                                 : (red.Expand(v) << 16) | (green.Expand(v) << 8) | blue.Expand(v);
            }
            break;
        }
    }
    return true;
}

// Run-length coded 4 or 8 bit pixels. Rows are bottom-up; pixels the runs never reach keep
// palette colour 0. Runs that would leave the picture are cut at its edge.
bool DecodeRle(const std::uint8_t* data, std::size_t available, const Header& h,
               const std::uint32_t palette[256], DecodedImage& out, std::string* error) {
    const bool four = h.compression == kBiRle4;
    const std::int64_t width = h.width;
    const std::int64_t rows = out.height;
    std::fill(out.pixels.begin(), out.pixels.end(), palette[0]);
    std::int64_t x = 0, row = 0; // row counts from the bottom
    std::size_t pos = 0;
    auto put = [&](std::uint32_t index) {
        if (x < width && row < rows)
            out.pixels[static_cast<std::size_t>((rows - 1 - row) * width + x)] = palette[index];
        ++x;
    };
    while (row < rows) {
        if (available - pos < 2) return Fail(error, "run-length data is truncated");
        const std::uint8_t count = data[pos], value = data[pos + 1];
        pos += 2;
        if (count > 0) {
            for (int i = 0; i < count && x < width; ++i)
                put(four ? ((i & 1) ? value & 15 : value >> 4) : value);
            continue;
        }
        if (value == 0) { // end of line
            x = 0;
            ++row;
        } else if (value == 1) { // end of bitmap
            break;
        } else if (value == 2) { // move right and up
            if (available - pos < 2) return Fail(error, "run-length data is truncated");
            x += data[pos];
            row += data[pos + 1];
            pos += 2;
        } else { // literal pixels, padded to a 16-bit boundary
            const std::size_t n = value;
            const std::size_t bytes = four ? (n + 1) / 2 : n;
            const std::size_t padded = (bytes + 1) & ~std::size_t{1};
            if (available - pos < bytes) return Fail(error, "run-length data is truncated");
            for (std::size_t i = 0; i < n; ++i) {
                const std::uint8_t b = data[pos + (four ? i / 2 : i)];
                put(four ? ((i & 1) ? b & 15 : b >> 4) : b);
            }
            pos += std::min(padded, available - pos);
        }
    }
    return true;
}

// Decodes a DIB whose header starts at data[0]; pixels start at `pixelOffset` from there.
// An offset of 0 means right after the palette.
bool DecodeDibAt(const std::uint8_t* data, std::size_t size, std::size_t pixelOffset, DecodedImage& out,
                 std::string* error, std::size_t maxPixels) {
    Header h;
    std::size_t paletteStart = 0;
    if (!ParseHeader(data, size, h, paletteStart, error)) return false;
    const std::int64_t rows = h.height < 0 ? -h.height : h.height;
    const std::uint64_t pixelCount = static_cast<std::uint64_t>(h.width) * static_cast<std::uint64_t>(rows);
    if (pixelCount > maxPixels) return Fail(error, "bitmap is too large");

    if (pixelOffset == 0) {
        std::uint64_t entries = 0;
        if (h.bitsPerPixel <= 8)
            entries =
                h.coloursUsed == 0 ? (1u << h.bitsPerPixel) : std::min<std::uint64_t>(h.coloursUsed, 256);
        pixelOffset = static_cast<std::size_t>(
            std::min<std::uint64_t>(paletteStart + entries * h.paletteEntrySize, size));
    }
    if (pixelOffset < paletteStart || pixelOffset >= size)
        return Fail(error, "bitmap pixel offset is invalid");

    std::uint32_t palette[256];
    if (!ReadPalette(data, size, h, paletteStart, pixelOffset, palette, error)) return false;

    const bool rle = h.compression == kBiRle8 || h.compression == kBiRle4;
    // Check before allocating, so a tiny file cannot claim a huge picture.
    if (!rle && UncompressedBytesNeeded(h) > size - pixelOffset)
        return Fail(error, "bitmap pixel data is truncated");

    DecodedImage image;
    image.width = static_cast<int>(h.width);
    image.height = static_cast<int>(rows);
    image.pixels.assign(static_cast<std::size_t>(pixelCount), 0);
    const bool ok =
        rle ? DecodeRle(data + pixelOffset, size - pixelOffset, h, palette, image, error)
            : DecodeUncompressed(data + pixelOffset, size - pixelOffset, h, palette, image, error);
    if (!ok) return false;
    out = std::move(image);
    return true;
}

void Put16(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x) {
    v[at] = static_cast<std::uint8_t>(x);
    v[at + 1] = static_cast<std::uint8_t>(x >> 8);
}
void Put32(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x) {
    Put16(v, at, x & 0xFFFF);
    Put16(v, at + 2, x >> 16);
}

} // namespace

bool DecodeBmp(const std::uint8_t* data, std::size_t size, DecodedImage& out, std::string* error,
               std::size_t maxPixels) {
    if (!data || size < kFileHeaderSize + 4) return Fail(error, "file is too short to be a bitmap");
    if (data[0] != 'B' || data[1] != 'M') return Fail(error, "not a bitmap file");
    const std::uint32_t offset = U32(data + 10);
    // Some writers leave the offset 0; the pixels then follow the palette.
    std::size_t pixelOffset = 0;
    if (offset != 0) {
        if (offset <= kFileHeaderSize || offset >= size) return Fail(error, "bitmap pixel offset is invalid");
        pixelOffset = offset - kFileHeaderSize;
    }
    return DecodeDibAt(data + kFileHeaderSize, size - kFileHeaderSize, pixelOffset, out, error, maxPixels);
}

bool DecodeDib(const std::uint8_t* data, std::size_t size, DecodedImage& out, std::string* error,
               std::size_t maxPixels) {
    if (!data) return Fail(error, "no bitmap data");
    return DecodeDibAt(data, size, 0, out, error, maxPixels);
}

bool ReadBmpFile(const std::string& path, DecodedImage& out, std::string* error) {
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, kMaxFileSize, bytes, error)) return false;
    return DecodeBmp(bytes.data(), bytes.size(), out, error);
}

namespace {
// The headers of a 24-bit bottom-up bitmap of the image and its row size; empty when the
// image has no pixels or the file would pass 4 GB.
std::vector<std::uint8_t> Bmp24Headers(const DecodedImage& image, std::size_t& stride) {
    if (image.Empty() || image.pixels.size() < static_cast<std::size_t>(image.width) * image.height)
        return {};
    stride = (static_cast<std::size_t>(image.width) * 3 + 3) & ~std::size_t{3};
    const std::size_t dataSize = stride * static_cast<std::size_t>(image.height);
    const std::size_t headers = kFileHeaderSize + kInfoHeaderSize;
    if (headers + dataSize > std::numeric_limits<std::uint32_t>::max()) return {};
    std::vector<std::uint8_t> out(headers, 0);
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, static_cast<std::uint32_t>(headers + dataSize));
    Put32(out, 10, static_cast<std::uint32_t>(headers));
    Put32(out, 14, kInfoHeaderSize);
    Put32(out, 18, static_cast<std::uint32_t>(image.width));
    Put32(out, 22, static_cast<std::uint32_t>(image.height));
    Put16(out, 26, 1);
    Put16(out, 28, 24);
    Put32(out, 34, static_cast<std::uint32_t>(dataSize));
    Put32(out, 38, 2835); // 72 dots per inch
    Put32(out, 42, 2835);
    return out;
}

// Bytes of rows the writer encodes before each write.
constexpr std::size_t kWriteBand = 256 * 1024;

// Picture row `y` as blue, green, red bytes; the padding is left as it is.
void EncodeBmp24Row(const DecodedImage& image, int y, std::uint8_t* dst) {
    const std::uint32_t* src = image.pixels.data() + static_cast<std::size_t>(y) * image.width;
    for (int x = 0; x < image.width; ++x, dst += 3) {
        dst[0] = static_cast<std::uint8_t>(src[x]);
        dst[1] = static_cast<std::uint8_t>(src[x] >> 8);
        dst[2] = static_cast<std::uint8_t>(src[x] >> 16);
    }
}
} // namespace

std::vector<std::uint8_t> EncodeBmp24(const DecodedImage& image) {
    std::size_t stride = 0;
    std::vector<std::uint8_t> out = Bmp24Headers(image, stride);
    if (out.empty()) return out;
    const std::size_t headers = out.size();
    out.resize(headers + stride * static_cast<std::size_t>(image.height), 0);
    for (int y = 0; y < image.height; ++y)
        EncodeBmp24Row(image, y,
                       out.data() + headers + static_cast<std::size_t>(image.height - 1 - y) * stride);
    return out;
}

bool WriteBmpFile(const std::string& path, const DecodedImage& image) {
    std::size_t stride = 0;
    const std::vector<std::uint8_t> headers = Bmp24Headers(image, stride);
    if (headers.empty()) return false;
    FilePtr file(std::fopen(path.c_str(), "wb"));
    if (!file) return false;
    bool ok = std::fwrite(headers.data(), 1, headers.size(), file.get()) == headers.size();
    // A band of rows at a time, bottom row first: the file is never held in memory whole,
    // and each write is large.
    const int bandRows = static_cast<int>(std::max<std::size_t>(1, kWriteBand / stride));
    std::vector<std::uint8_t> band(stride * static_cast<std::size_t>(bandRows), 0);
    for (int y = image.height - 1; ok && y >= 0;) {
        std::size_t used = 0;
        for (int n = 0; n < bandRows && y >= 0; ++n, --y, used += stride)
            EncodeBmp24Row(image, y, band.data() + used);
        ok = std::fwrite(band.data(), 1, used, file.get()) == used;
    }
    // A full disk must not pass for a complete file.
    return std::fclose(file.release()) == 0 && ok;
}
