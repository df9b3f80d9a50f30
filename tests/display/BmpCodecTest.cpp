#include "imaging/BmpCodec.h"
#include "BmpBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <fstream>

namespace {

DecodedImage Decode(const std::vector<std::uint8_t>& bytes) {
    DecodedImage image;
    std::string error;
    EXPECT_TRUE(DecodeBmp(bytes.data(), bytes.size(), image, &error)) << error;
    return image;
}

std::string Refusal(const std::vector<std::uint8_t>& bytes, std::size_t maxPixels = kMaxBmpPixels) {
    DecodedImage image;
    std::string error;
    EXPECT_FALSE(DecodeBmp(bytes.data(), bytes.size(), image, &error, maxPixels));
    EXPECT_TRUE(image.Empty());
    return error;
}

} // namespace

TEST(BmpCodec, TrueColourRowsInBothDirections) {
    // 2 x 2, 24 bits: each row is 6 bytes padded to 8. Stored bottom row first.
    BmpSpec s;
    s.pixelData = {0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0, 0,  // bottom: red, green
                   0xFF, 0x00, 0x00, 0x11, 0x22, 0x33, 0, 0}; // top: blue, 0x332211
    DecodedImage up = Decode(MakeBmp(s));
    ASSERT_EQ(up.width, 2);
    ASSERT_EQ(up.height, 2);
    EXPECT_EQ(up.At(0, 0), 0x0000FFu);
    EXPECT_EQ(up.At(1, 0), 0x332211u);
    EXPECT_EQ(up.At(0, 1), 0xFF0000u);
    EXPECT_EQ(up.At(1, 1), 0x00FF00u);

    s.height = -2; // same bytes read top-down
    DecodedImage down = Decode(MakeBmp(s));
    EXPECT_EQ(down.At(0, 0), 0xFF0000u);
    EXPECT_EQ(down.At(1, 1), 0x332211u);

    // 32 bits ignore the fourth byte.
    BmpSpec t;
    t.bits = 32;
    t.width = 1;
    t.height = 1;
    t.pixelData = {0x30, 0x20, 0x10, 0x99};
    EXPECT_EQ(Decode(MakeBmp(t)).At(0, 0), 0x102030u);
}

TEST(BmpCodec, SixteenBitLayoutsAndMasks) {
    // Plain 16 bits are 5-5-5: 0x7FFF white, 0x7C00 red, 0x001F blue.
    BmpSpec s;
    s.bits = 16;
    s.width = 3;
    s.height = 1;
    s.pixelData = {0xFF, 0x7F, 0x00, 0x7C, 0x1F, 0x00, 0, 0};
    DecodedImage plain = Decode(MakeBmp(s));
    EXPECT_EQ(plain.At(0, 0), 0xFFFFFFu);
    EXPECT_EQ(plain.At(1, 0), 0xFF0000u);
    EXPECT_EQ(plain.At(2, 0), 0x0000FFu);

    // 5-6-5 masks after a plain info header, and inside a V5 header.
    BmpSpec m;
    m.bits = 16;
    m.width = 2;
    m.height = 1;
    m.compression = 3;
    m.masks = {0xF800, 0x07E0, 0x001F};
    m.pixelData = {0xE0, 0x07, 0x20, 0x00}; // full green, green 1 of 63
    for (int header : {40, 108, 124}) {
        m.headerSize = header;
        DecodedImage image = Decode(MakeBmp(m));
        EXPECT_EQ(image.At(0, 0), 0x00FF00u) << header;
        EXPECT_EQ(image.At(1, 0), 0x000400u) << header;
    }

    // Cutting an expanded channel back to 5 or 6 bits gives the stored value again.
    m.headerSize = 40;
    m.width = 64;
    m.pixelData.clear();
    for (int v = 0; v < 64; ++v)
        PutLe(m.pixelData, static_cast<std::uint32_t>(v << 5 | (v & 31) << 11), 2);
    DecodedImage ramp = Decode(MakeBmp(m));
    for (int v = 0; v < 64; ++v) {
        EXPECT_EQ((ramp.At(v, 0) >> 8 & 0xFF) >> 2, static_cast<std::uint32_t>(v));
        EXPECT_EQ((ramp.At(v, 0) >> 16) >> 3, static_cast<std::uint32_t>(v & 31));
    }
}

TEST(BmpCodec, PalettedDepths) {
    // 1 bit, 9 pixels wide: the ninth pixel is in the second byte.
    BmpSpec one;
    one.bits = 1;
    one.width = 9;
    one.height = 1;
    one.palette = {0x000000, 0xFFFFFF};
    one.pixelData = {0b10100000, 0b10000000, 0, 0};
    DecodedImage a = Decode(MakeBmp(one));
    EXPECT_EQ(a.At(0, 0), 0xFFFFFFu);
    EXPECT_EQ(a.At(1, 0), 0u);
    EXPECT_EQ(a.At(2, 0), 0xFFFFFFu);
    EXPECT_EQ(a.At(8, 0), 0xFFFFFFu);

    // 4 bits with a short palette: an index past it reads black.
    BmpSpec four;
    four.bits = 4;
    four.width = 3;
    four.height = 1;
    four.coloursUsed = 2;
    four.palette = {0x102030, 0x405060};
    four.pixelData = {0x10, 0xF0, 0, 0};
    DecodedImage b = Decode(MakeBmp(four));
    EXPECT_EQ(b.At(0, 0), 0x405060u);
    EXPECT_EQ(b.At(1, 0), 0x102030u);
    EXPECT_EQ(b.At(2, 0), 0u);

    // 8 bits under the old core header, whose palette has three bytes an entry.
    BmpSpec core;
    core.headerSize = 12;
    core.bits = 8;
    core.width = 2;
    core.height = 1;
    core.palette.assign(256, 0);
    core.palette[7] = 0xABCDEF;
    core.pixelData = {7, 0, 0, 0};
    DecodedImage c = Decode(MakeBmp(core));
    EXPECT_EQ(c.At(0, 0), 0xABCDEFu);
    EXPECT_EQ(c.At(1, 0), 0u);
}

TEST(BmpCodec, RunLengthCoding) {
    BmpSpec s;
    s.bits = 8;
    s.compression = 1;
    s.width = 4;
    s.height = 3;
    s.palette = {0x000000, 0x0000FF, 0x00FF00, 0xFF0000};
    s.pixelData = {
        2, 1, 0, 3, 2, 3, 3, 0, 0, 0, // bottom row: 1 1, literal 2 3 3 (cut at the edge, padded), end of line
        0, 2, 1, 1,                   // skip one right and one up: the middle row stays colour 0
        9, 3, 0, 1,                   // run longer than the row is cut; end of bitmap
    };
    DecodedImage image = Decode(MakeBmp(s));
    EXPECT_EQ(image.At(0, 2), 0x0000FFu);
    EXPECT_EQ(image.At(3, 2), 0xFF0000u);
    EXPECT_EQ(image.At(2, 2), 0x00FF00u);
    EXPECT_EQ(image.At(0, 1), 0u);
    EXPECT_EQ(image.At(0, 0), 0u); // the run starts at x 1 of the top row
    EXPECT_EQ(image.At(1, 0), 0xFF0000u);
    EXPECT_EQ(image.At(3, 0), 0xFF0000u);

    BmpSpec f = s;
    f.bits = 4;
    f.compression = 2;
    f.width = 3;
    f.height = 1;
    f.pixelData = {3, 0x12, 0, 1};
    DecodedImage nibbles = Decode(MakeBmp(f));
    EXPECT_EQ(nibbles.At(0, 0), 0x0000FFu);
    EXPECT_EQ(nibbles.At(1, 0), 0x00FF00u);
    EXPECT_EQ(nibbles.At(2, 0), 0x0000FFu);

    // Runs that stop before the data says they end are refused.
    f.pixelData = {0, 5, 0x12};
    EXPECT_FALSE(Refusal(MakeBmp(f)).empty());
}

TEST(BmpCodec, HostileHeadersAreRefused) {
    BmpSpec good;
    good.width = 2;
    good.height = 2;
    good.pixelData.assign(16, 0);
    ASSERT_FALSE(Decode(MakeBmp(good)).Empty());

    auto with = [&](auto change) {
        BmpSpec s = good;
        change(s);
        return MakeBmp(s);
    };
    EXPECT_FALSE(Refusal({}).empty());
    EXPECT_FALSE(Refusal({'B', 'M', 0, 0}).empty());
    std::vector<std::uint8_t> badMagic = MakeBmp(good);
    badMagic[0] = 'X';
    EXPECT_FALSE(Refusal(badMagic).empty());

    EXPECT_FALSE(Refusal(with([](BmpSpec& s) { s.width = 0; })).empty());
    EXPECT_FALSE(Refusal(with([](BmpSpec& s) { s.width = -2; })).empty());
    EXPECT_FALSE(Refusal(with([](BmpSpec& s) { s.height = 0; })).empty());
    EXPECT_FALSE(Refusal(with([](BmpSpec& s) { s.height = INT_MIN; })).empty());
    EXPECT_FALSE(Refusal(with([](BmpSpec& s) { s.width = kMaxPictureSide + 1; })).empty());
    EXPECT_FALSE(Refusal(with([](BmpSpec& s) { s.height = -(kMaxPictureSide + 1); })).empty());
    EXPECT_FALSE(Refusal(with([](BmpSpec& s) { s.bits = 7; })).empty());
    EXPECT_FALSE(Refusal(with([](BmpSpec& s) { s.compression = 4; })).empty()); // embedded JPEG
    EXPECT_FALSE(Refusal(with([](BmpSpec& s) { s.compression = 1; })).empty()); // RLE8 at 24 bits
    EXPECT_FALSE(Refusal(with([](BmpSpec& s) { s.headerSize = 20; })).empty());
    EXPECT_FALSE(Refusal(with([](BmpSpec& s) { s.offsetOverride = 1u << 30; })).empty());
    EXPECT_FALSE(Refusal(with([](BmpSpec& s) { s.offsetOverride = 20; })).empty()); // inside the header
    EXPECT_FALSE(Refusal(with([](BmpSpec& s) { s.pixelData.resize(9); })).empty()); // second row cut
    // Masks announced but cut off by the end of the file.
    std::vector<std::uint8_t> noMasks = with([](BmpSpec& s) {
        s.bits = 16;
        s.compression = 3;
        s.pixelData.clear();
    });
    noMasks.resize(14 + 40 + 4);
    EXPECT_FALSE(Refusal(noMasks).empty());
    // A picture bigger than the caller allows is refused before anything is allocated.
    EXPECT_FALSE(Refusal(MakeBmp(good), 3).empty());
    // A huge picture claimed by a tiny file.
    EXPECT_FALSE(Refusal(with([](BmpSpec& s) { s.width = s.height = kMaxPictureSide; })).empty());

    // A missing pad after the last row is tolerated: the pixels are all there.
    EXPECT_FALSE(Decode(with([](BmpSpec& s) { s.pixelData.resize(14); })).Empty());
}

TEST(BmpCodec, WriterRoundTripsThroughAFile) {
    DecodedImage image;
    image.width = 3;
    image.height = 2;
    image.pixels = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xFFFFFF, 0x000000};
    const std::vector<std::uint8_t> bytes = EncodeBmp24(image);
    ASSERT_EQ(bytes.size(), 54u + 2 * 12);
    EXPECT_EQ(bytes[10], 54);
    EXPECT_EQ(bytes[28], 24);
    // Bottom-up: the file's first row is the picture's last.
    EXPECT_EQ(bytes[54], 0x56);
    EXPECT_EQ(bytes[55], 0x34);
    EXPECT_EQ(bytes[56], 0x12);

    TempDir dir;
    const std::string path = dir.File("out.bmp");
    ASSERT_TRUE(WriteBmpFile(path, image));
    DecodedImage back;
    std::string error;
    ASSERT_TRUE(ReadBmpFile(path, back, &error)) << error;
    EXPECT_EQ(back.width, 3);
    EXPECT_EQ(back.height, 2);
    EXPECT_EQ(back.pixels, image.pixels);

    EXPECT_FALSE(ReadBmpFile(dir.File("missing.bmp"), back, &error));
    EXPECT_FALSE(WriteBmpFile(path, DecodedImage{}));
    EXPECT_FALSE(WriteBmpFile(dir.File("no/such/folder/x.bmp"), image));
}
