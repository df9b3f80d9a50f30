#include "imaging/IcoCodec.h"
#include "support/PictureFiles.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

IcoImageSpec Solid(int w, int h, int bpp, std::uint32_t value) {
    IcoImageSpec s;
    s.width = w;
    s.height = h;
    s.bitsPerPixel = bpp;
    s.pixels.assign(static_cast<std::size_t>(w * h), value);
    if (bpp <= 8) s.palette = {0x000000, 0x336699, 0xFF0000, 0x00FF00};
    if (bpp == 1) s.palette.resize(2);
    return s;
}

DecodedImage Decode(const Bytes& file, std::size_t size = ~std::size_t{0}) {
    DecodedImage img;
    std::string error;
    if (!DecodeIco(file.data(), std::min(size, file.size()), img, &error)) {
        EXPECT_TRUE(img.Empty());
    }
    return img;
}

} // namespace

TEST(IcoCodec, PicksTheLargestThenDeepestImage) {
    // 16x16 at 8 bits, 32x32 at 4 bits, 32x32 at 24 bits, 48x48 as PNG: the 24-bit 32x32.
    IcoImageSpec png = Solid(48, 48, 32, 0);
    png.png = true;
    const DecodedImage img =
        Decode(MakeIco({Solid(16, 16, 8, 2), Solid(32, 32, 4, 3), Solid(32, 32, 24, 0x102030), png}));
    EXPECT_EQ(img.width, 32);
    EXPECT_EQ(img.height, 32);
    EXPECT_EQ(img.At(31, 0), 0x102030u);
    const Bytes onlyPng = MakeIco({png});
    DecodedImage none;
    std::string error;
    EXPECT_FALSE(DecodeIco(onlyPng.data(), onlyPng.size(), none, &error));
    EXPECT_NE(error.find("PNG"), std::string::npos);
}

TEST(IcoCodec, MaskAlphaAndPalettesPlacePixelsTopDown) {
    // 1, 4 and 8 bits: one odd pixel in the top row, the mask over the bottom-right pixel.
    for (int bpp : {1, 4, 8}) {
        IcoImageSpec s = Solid(9, 3, bpp, 0);
        s.pixels[1] = 1;
        s.masked.assign(s.pixels.size(), false);
        s.masked.back() = true;
        const DecodedImage img = Decode(MakeIco({s}));
        ASSERT_FALSE(img.Empty()) << bpp;
        EXPECT_EQ(img.At(1, 0), 0x336699u) << bpp;
        EXPECT_EQ(img.At(0, 0), 0x000000u) << bpp;
        EXPECT_EQ(img.At(8, 2), kIconBackground) << bpp;
    }
    // 32 bits with alpha: transparent, opaque and half-covered pixels over the background.
    IcoImageSpec s = Solid(3, 1, 32, 0);
    s.pixels = {0x00FF0000, 0xFF0000FF, 0x80000000};
    EXPECT_EQ(Decode(MakeIco({s})).pixels, (std::vector<std::uint32_t>{0xFFFFFF, 0x0000FF, 0x7F7F7F}));
}

TEST(IcoCodec, TruncatedAndHostileFilesFailCleanly) {
    const Bytes good = MakeIco({Solid(16, 16, 24, 0x445566)});
    // The mask may be missing, the colour bitmap may not.
    const std::size_t colourEnd = 6 + 16 + 40 + 16 * 16 * 3;
    EXPECT_FALSE(Decode(good, colourEnd).Empty());
    for (std::size_t keep : {std::size_t{0}, std::size_t{5}, std::size_t{21}, std::size_t{60}, colourEnd - 1})
        EXPECT_TRUE(Decode(good, keep).Empty()) << keep;
    // A broken large image gives way to a sound smaller one.
    Bytes pair = MakeIco({Solid(64, 64, 24, 1), Solid(8, 8, 24, 0x0A0B0C)});
    pair[6 + 12] = 0xF0; // offset of the 64x64 image beyond the file
    pair[6 + 15] = 0x7F;
    EXPECT_EQ(Decode(pair).width, 8);

    Bytes wide = good; // width 0x7FFFFFFF in the bitmap header
    wide[22 + 4] = wide[22 + 5] = wide[22 + 6] = 0xFF;
    wide[22 + 7] = 0x7F;
    EXPECT_TRUE(Decode(wide).Empty());
    Bytes manyColours = MakeIco({Solid(4, 4, 8, 1)});
    manyColours[22 + 32] = 0x01; // 257 palette entries for 8 bits
    manyColours[22 + 33] = 0x01;
    EXPECT_TRUE(Decode(manyColours).Empty());
    DecodedImage img;
    std::string error;
    EXPECT_FALSE(DecodeIco(good.data(), good.size(), img, &error, 255)); // over the pixel budget
}
