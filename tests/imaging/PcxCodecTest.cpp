#include "imaging/PcxCodec.h"
#include "ImageFixtures.h"

#include <gtest/gtest.h>

namespace {

// An 8-bit picture whose index is (x * 7 + y) % 256, with long flat runs on the last row.
PcxLayout Paletted(int w, int h) {
    PcxLayout s;
    s.width = w;
    s.height = h;
    s.bytesPerLine = (w + 1) / 2 * 2;
    s.planeBytes.assign(static_cast<std::size_t>(s.bytesPerLine * h), 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            s.planeBytes[static_cast<std::size_t>(y * s.bytesPerLine + x)] =
                static_cast<std::uint8_t>(y == h - 1 ? 200 : (x * 7 + y) % 256);
    for (std::uint32_t i = 0; i < 256; ++i)
        s.palette256.push_back(i * 0x010203u & 0xFFFFFF);
    return s;
}

} // namespace

TEST(PcxCodec, DecodesPalettedRgbAndSixteenColourPictures) {
    for (bool crossLines : {false, true}) {
        PcxLayout s = Paletted(75, 6);
        s.crossLineRuns = crossLines;
        const Bytes file = MakePcx(s);
        DecodedImage img;
        std::string error;
        ASSERT_TRUE(DecodePcx(file.data(), file.size(), img, &error)) << error;
        ASSERT_EQ(img.width, 75); // from the window, not the line length
        ASSERT_EQ(img.height, 6);
        EXPECT_EQ(img.At(3, 2), s.palette256[23]);
        EXPECT_EQ(img.At(74, 5), s.palette256[200]);
    }
    PcxLayout noTable = Paletted(4, 2);
    noTable.palette256.clear();
    noTable.compressed = false;
    Bytes file = MakePcx(noTable);
    DecodedImage img;
    ASSERT_TRUE(DecodePcx(file.data(), file.size(), img, nullptr));
    EXPECT_EQ(img.At(1, 0), 0x070707u); // grey without a table

    PcxLayout rgb;
    rgb.width = 3;
    rgb.height = 2;
    rgb.planes = 3;
    rgb.bytesPerLine = 4;
    rgb.planeBytes = {1,    2,    3, 0, 4, 5, 6, 0, 7, 8, 9, 0, /* row 2 */ 0xFF,
                      0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    file = MakePcx(rgb);
    ASSERT_TRUE(DecodePcx(file.data(), file.size(), img, nullptr));
    EXPECT_EQ(img.At(0, 0), 0x010407u);
    EXPECT_EQ(img.At(2, 0), 0x030609u);
    EXPECT_EQ(img.At(1, 1), 0xFF0000u);

    // 16 colours in four bit planes: pixel 0 has planes 0 and 2 set (index 5), pixel 9 plane 3.
    PcxLayout ega;
    ega.width = 10;
    ega.height = 1;
    ega.bitsPerPixel = 1;
    ega.planes = 4;
    ega.bytesPerLine = 2;
    ega.planeBytes = {0x80, 0, 0, 0, 0x80, 0, 0, 0x40};
    for (std::uint32_t i = 0; i < 16; ++i)
        ega.headerPalette.push_back(0x100000u * i + i);
    file = MakePcx(ega);
    ASSERT_TRUE(DecodePcx(file.data(), file.size(), img, nullptr));
    EXPECT_EQ(img.At(0, 0), 0x500005u);
    EXPECT_EQ(img.At(9, 0), 0x800008u);
    EXPECT_EQ(img.At(5, 0), 0x000000u);

    PcxLayout mono = ega;
    mono.planes = 1;
    mono.planeBytes = {0x40, 0x00};
    file = MakePcx(mono);
    ASSERT_TRUE(DecodePcx(file.data(), file.size(), img, nullptr));
    EXPECT_EQ(img.At(1, 0), 0xFFFFFFu);
    EXPECT_EQ(img.At(0, 0), 0x000000u);
}

TEST(PcxCodec, TruncatedAndHostileFilesFailCleanly) {
    PcxLayout s = Paletted(40, 5);
    s.palette256.clear();
    const Bytes good = MakePcx(s);
    DecodedImage img;
    std::string error;
    for (std::size_t keep : {std::size_t{0}, std::size_t{127}, std::size_t{128}, good.size() - 1}) {
        EXPECT_FALSE(DecodePcx(good.data(), keep, img, &error)) << keep;
        EXPECT_TRUE(img.Empty());
    }
    auto patched = [&](std::size_t at, std::uint8_t value) {
        Bytes b = good;
        b[at] = value;
        return b;
    };
    for (const Bytes& b : {patched(0, 0x0B),  // not a PCX maker byte
                           patched(8, 0x00),  // right edge before left
                           patched(3, 3),     // 3 bits per pixel
                           patched(66, 2),    // line shorter than the picture
                           patched(65, 2)}) { // two 8-bit planes
        EXPECT_FALSE(DecodePcx(b.data(), b.size(), img, &error));
    }
    // A 4000 x 4000 window over a few bytes is refused before anything is allocated.
    Bytes big = good;
    big[8] = 0xA9, big[9] = 0x0F;   // right edge 4009
    big[10] = 0xB3, big[11] = 0x0F; // bottom edge 4019
    big[66] = 0xA0, big[67] = 0x0F; // 4000 bytes a line
    EXPECT_FALSE(DecodePcx(big.data(), big.size(), img, &error));
    EXPECT_FALSE(DecodePcx(good.data(), good.size(), img, &error, 199));
}
