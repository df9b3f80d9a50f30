#include "imaging/BmpCodec.h"
#include "support/PictureFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

using Pixels = std::vector<std::uint32_t>;

static BmpLayout Layout(int bits, int width, int height, Bytes data, Pixels palette = {},
                        std::uint32_t compression = 0) {
    return {40, width, height, bits, compression, 0, std::move(palette), {}, std::move(data), -1};
}

// The decoded pixels, top row first; empty when the file is refused.
static Pixels Decode(const BmpLayout& layout, std::size_t maxPixels = kMaxBmpPixels) {
    const Bytes bytes = MakeBmp(layout);
    DecodedImage image;
    std::string error;
    const bool ok = DecodeBmp(bytes.data(), bytes.size(), image, &error, maxPixels);
    EXPECT_EQ(std::pair(ok, ok), std::pair(error.empty(), !image.Empty())) << "a refusal says why";
    return image.pixels;
}

TEST(BmpCodec, EveryDepthAndRunLengthCoding) {
    // 24 bits, rows padded to 4 bytes and stored bottom row first.
    BmpLayout s = Layout(24, 2, 2,
                         {0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0, 0,   // bottom: red, green
                          0xFF, 0x00, 0x00, 0x11, 0x22, 0x33, 0, 0}); // top: blue, 0x332211
    EXPECT_EQ(Decode(s), (Pixels{0x0000FF, 0x332211, 0xFF0000, 0x00FF00}));
    s.height = -2; // the same bytes read top-down
    EXPECT_EQ(Decode(s), (Pixels{0xFF0000, 0x00FF00, 0x0000FF, 0x332211}));
    // 32 bits ignore the fourth byte; plain 16 bits are 5-5-5.
    EXPECT_EQ(Decode(Layout(32, 1, 1, {0x30, 0x20, 0x10, 0x99})), Pixels{0x102030});
    EXPECT_EQ(Decode(Layout(16, 3, 1, {0xFF, 0x7F, 0x00, 0x7C, 0x1F, 0x00, 0, 0})),
              (Pixels{0xFFFFFF, 0xFF0000, 0x0000FF}));
    // 5-6-5 masks after a plain, V4 and V5 header: full green, and green 1 of 63 widened.
    BmpLayout m = Layout(16, 2, 1, {0xE0, 0x07, 0x20, 0x00}, {}, 3);
    m.masks = {0xF800, 0x07E0, 0x001F};
    for (int header : {40, 108, 124}) {
        m.headerSize = header;
        EXPECT_EQ(Decode(m), (Pixels{0x00FF00, 0x000400})) << header;
    }
    // 1 bit, 9 pixels wide: the ninth pixel is in the second byte.
    const std::uint32_t W = 0xFFFFFF;
    EXPECT_EQ(Decode(Layout(1, 9, 1, {0b10100000, 0b10000000, 0, 0}, {0, W})),
              (Pixels{W, 0, W, 0, 0, 0, 0, 0, W}));
    // 4 bits with a two-entry palette: an index past it reads black.
    BmpLayout four = Layout(4, 3, 1, {0x10, 0xF0, 0, 0}, {0x102030, 0x405060});
    four.coloursUsed = 2;
    EXPECT_EQ(Decode(four), (Pixels{0x405060, 0x102030, 0}));
    // 8 bits under the old core header, whose palette has three bytes an entry.
    BmpLayout core = Layout(8, 2, 1, {7, 0, 0, 0}, Pixels(256, 0));
    core.headerSize = 12;
    core.palette[7] = 0xABCDEF;
    EXPECT_EQ(Decode(core), (Pixels{0xABCDEF, 0}));
    const Pixels palette = {0x000000, 0x0000FF, 0x00FF00, 0xFF0000};
    const Bytes rle = {
        2, 1, 0, 3, 2, 3, 3, 0, 0, 0, // bottom: 1 1, literal 2 3 3 cut at the edge; end of line
        0, 2, 1, 1,                   // skip one right and one up: the middle row stays 0
        9, 3, 0, 1,                   // a run longer than the row is cut; end of bitmap
    };
    EXPECT_EQ(Decode(Layout(8, 4, 3, rle, palette, 1)),
              (Pixels{0, 0xFF0000, 0xFF0000, 0xFF0000, 0, 0, 0, 0, 0x0000FF, 0x0000FF, 0x00FF00, 0xFF0000}));
    EXPECT_EQ(Decode(Layout(4, 3, 1, {3, 0x12, 0, 1}, palette, 2)), (Pixels{0x0000FF, 0x00FF00, 0x0000FF}));
    // A literal run that stops before the data says it ends.
    EXPECT_TRUE(Decode(Layout(4, 3, 1, {0, 5, 0x12}, palette, 2)).empty());
}

TEST(BmpCodec, HostileHeadersAreRefused) {
    const BmpLayout good = Layout(24, 2, 2, Bytes(16, 0));
    // A missing pad after the last row is tolerated: the pixels are all there.
    BmpLayout unpadded = good;
    unpadded.pixelData.resize(14);
    EXPECT_FALSE(Decode(unpadded).empty());
    // A picture bigger than the caller allows is refused before anything is allocated.
    EXPECT_TRUE(Decode(good, 3).empty());
    Bytes badMagic = MakeBmp(good);
    badMagic[0] = 'X';
    // Masks announced but cut off by the end of the file.
    Bytes masksCut = MakeBmp(Layout(16, 2, 2, {}, {}, 3));
    masksCut.resize(14 + 40 + 4);
    DecodedImage image;
    for (const Bytes& bytes : {Bytes{}, Bytes{'B', 'M', 0, 0}, badMagic, masksCut})
        EXPECT_FALSE(DecodeBmp(bytes.data(), bytes.size(), image, nullptr, kMaxBmpPixels));
    const std::function<void(BmpLayout&)> changes[] = {
        [](BmpLayout& s) { s.width = 0; },
        [](BmpLayout& s) { s.height = 0; },
        [](BmpLayout& s) { s.height = INT_MIN; },
        [](BmpLayout& s) { s.width = kMaxPictureSide + 1; },
        [](BmpLayout& s) { s.height = -(kMaxPictureSide + 1); },
        [](BmpLayout& s) { s.width = s.height = kMaxPictureSide; }, // claimed by a tiny file
        [](BmpLayout& s) { s.bits = 7; },
        [](BmpLayout& s) { s.headerSize = 20; },
        [](BmpLayout& s) { s.compression = 4; }, // embedded JPEG
        [](BmpLayout& s) { s.compression = 1; }, // run-length coding at 24 bits
        [](BmpLayout& s) { s.offsetOverride = 1u << 30; },
        [](BmpLayout& s) { s.offsetOverride = 20; }, // inside the header
        [](BmpLayout& s) { s.pixelData.resize(9); }, // second row cut
    };
    for (std::size_t i = 0; i < std::size(changes); ++i) {
        BmpLayout s = good;
        changes[i](s);
        EXPECT_TRUE(Decode(s).empty()) << "change " << i;
    }
    TempDir dir;
    EXPECT_FALSE(WriteBmpFile(dir.File("empty.bmp"), DecodedImage{}));
}
