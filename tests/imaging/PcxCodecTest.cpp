#include "imaging/PcxCodec.h"
#include "support/PictureFiles.h"

#include <gtest/gtest.h>

using Pixels = std::vector<std::uint32_t>;

// An 8-bit picture whose index is (x * 7 + y) % 256, with a long flat run on the last row.
static PcxLayout Paletted(int w, int h) {
    PcxLayout s;
    s.width = w, s.height = h, s.bytesPerLine = (w + 1) / 2 * 2;
    s.planeBytes.assign(static_cast<std::size_t>(s.bytesPerLine * h), 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            s.planeBytes[y * s.bytesPerLine + x] =
                static_cast<std::uint8_t>(y == h - 1 ? 200 : (x * 7 + y) % 256);
    for (std::uint32_t i = 0; i < 256; ++i) s.palette256.push_back(i * 0x010203u & 0xFFFFFF);
    return s;
}

static PcxLayout Planar(int w, int h, int bits, int planes, int bytesPerLine, Bytes data) {
    PcxLayout s;
    s.width = w, s.height = h, s.bitsPerPixel = bits, s.planes = planes, s.bytesPerLine = bytesPerLine;
    s.planeBytes = std::move(data);
    return s;
}

static DecodedImage Decode(const PcxLayout& layout) {
    const Bytes file = MakePcx(layout);
    DecodedImage img;
    std::string error;
    EXPECT_TRUE(DecodePcx(file.data(), file.size(), img, &error)) << error;
    return img;
}

TEST(PcxCodec, DecodesPalettedRgbAndSixteenColourPicturesAndRefusesHostileFiles) {
    for (bool crossLines : {false, true}) {
        PcxLayout s = Paletted(75, 6);
        s.crossLineRuns = crossLines;
        const DecodedImage img = Decode(s);
        // The size comes from the window, not the line length.
        EXPECT_EQ(std::tuple(img.width, img.height, img.At(3, 2), img.At(74, 5)),
                  std::tuple(75, 6, s.palette256[23], s.palette256[200]));
    }
    PcxLayout noTable = Paletted(4, 2);
    noTable.palette256.clear(), noTable.compressed = false;
    EXPECT_EQ(Decode(noTable).At(1, 0), 0x070707u); // grey without a table
    // Planes red, green, blue of each row in turn.
    const PcxLayout rgb = Planar(
        3, 2, 8, 3, 4, {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(Decode(rgb).pixels, (Pixels{0x010407, 0x020508, 0x030609, 0xFF0000, 0xFF0000, 0xFF0000}));
    // 16 colours in four bit planes: pixel 0 has planes 0 and 2 set (index 5), pixel 9 plane 3.
    PcxLayout ega = Planar(10, 1, 1, 4, 2, {0x80, 0, 0, 0, 0x80, 0, 0, 0x40});
    for (std::uint32_t i = 0; i < 16; ++i) ega.headerPalette.push_back(0x100000u * i + i);
    DecodedImage img = Decode(ega);
    EXPECT_EQ((Pixels{img.At(0, 0), img.At(9, 0), img.At(5, 0)}), (Pixels{0x500005, 0x800008, 0}));
    // One bit plane is black and white, whatever the header palette says.
    ega.planes = 1, ega.planeBytes = {0x40, 0x00};
    img = Decode(ega);
    EXPECT_EQ(std::pair(img.At(1, 0), img.At(0, 0)), std::pair(0xFFFFFFu, 0u));
    PcxLayout s = Paletted(40, 5);
    s.palette256.clear();
    const Bytes good = MakePcx(s);
    auto patched = [&](std::initializer_list<std::pair<std::size_t, std::uint8_t>> changes) {
        Bytes b = good;
        for (auto [at, value] : changes)
            b[at] = value;
        return b;
    };
    // Not a PCX, right edge before left, 3 bits, a short line, two 8-bit planes, a huge window.
    std::string error;
    for (const Bytes& b : {patched({{0, 0x0B}}), patched({{8, 0x00}}), patched({{3, 3}}), patched({{66, 2}}),
                           patched({{65, 2}}),
                           patched({{8, 0xA9}, {9, 0x0F}, {10, 0xB3}, {11, 0x0F}, {66, 0xA0}, {67, 0x0F}})})
        EXPECT_FALSE(DecodePcx(b.data(), b.size(), img, &error)) << b[0] << b[3] << b[8] << b[65] << b[66];
    for (std::size_t keep : {std::size_t{0}, std::size_t{127}, std::size_t{128}, good.size() - 1}) {
        EXPECT_FALSE(DecodePcx(good.data(), keep, img, &error)) << keep;
        EXPECT_TRUE(img.Empty());
    }
    EXPECT_FALSE(DecodePcx(good.data(), good.size(), img, &error, 199)); // over the pixel budget
}
