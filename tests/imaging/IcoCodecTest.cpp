#include "imaging/IcoCodec.h"
#include "support/PictureFiles.h"

#include <gtest/gtest.h>

#include <algorithm>

static IcoImageSpec Solid(int w, int h, int bpp, std::uint32_t value, bool png = false) {
    IcoImageSpec s{w, h, bpp, {}, std::vector<std::uint32_t>(std::size_t(w * h), value), {}, png};
    if (bpp <= 8) s.palette = {0x000000, 0x336699, 0xFF0000, 0x00FF00};
    if (bpp == 1) s.palette.resize(2);
    return s;
}

// The decoded picture, empty when the file (cut to `size` bytes) is refused; `error` says why.
static DecodedImage Decode(const Bytes& file, std::size_t size = ~std::size_t{0},
                           std::string* error = nullptr, std::size_t maxPixels = kMaxPicturePixels) {
    DecodedImage img;
    const bool ok = DecodeIco(file.data(), std::min(size, file.size()), img, error, maxPixels);
    EXPECT_TRUE(ok || img.Empty());
    return img;
}

TEST(IcoCodec, PicksTheLargestThenDeepestImageAndRefusesHostileFiles) {
    // 16x16 at 8 bits, 32x32 at 4 bits, 32x32 at 24 bits, 48x48 as PNG: the 24-bit 32x32.
    const IcoImageSpec png = Solid(48, 48, 32, 0, true);
    const DecodedImage img =
        Decode(MakeIco({Solid(16, 16, 8, 2), Solid(32, 32, 4, 3), Solid(32, 32, 24, 0x102030), png}));
    EXPECT_EQ(std::tuple(img.width, img.height, img.At(31, 0)), std::tuple(32, 32, 0x102030u));
    std::string error;
    EXPECT_TRUE(Decode(MakeIco({png}), ~std::size_t{0}, &error).Empty());
    EXPECT_NE(error.find("PNG"), std::string::npos);
    // 1, 4 and 8 bits: one odd pixel in the top row, the mask over the bottom-right pixel.
    for (int bpp : {1, 4, 8}) {
        IcoImageSpec s = Solid(9, 3, bpp, 0);
        s.pixels[1] = 1;
        s.masked.assign(s.pixels.size(), false);
        s.masked.back() = true;
        const DecodedImage paletted = Decode(MakeIco({s}));
        ASSERT_FALSE(paletted.Empty()) << bpp;
        EXPECT_EQ((std::vector<std::uint32_t>{paletted.At(1, 0), paletted.At(0, 0), paletted.At(8, 2)}),
                  (std::vector<std::uint32_t>{0x336699, 0, kIconBackground}))
            << bpp;
    }
    // 32 bits with alpha: transparent, opaque and half-covered pixels over the background.
    IcoImageSpec s = Solid(3, 1, 32, 0);
    s.pixels = {0x00FF0000, 0xFF0000FF, 0x80000000};
    EXPECT_EQ(Decode(MakeIco({s})).pixels, (std::vector<std::uint32_t>{0xFFFFFF, 0x0000FF, 0x7F7F7F}));
    const Bytes good = MakeIco({Solid(16, 16, 24, 0x445566)});
    // The mask may be missing, the colour bitmap may not.
    const std::size_t colourEnd = 6 + 16 + 40 + 16 * 16 * 3;
    EXPECT_FALSE(Decode(good, colourEnd).Empty());
    for (std::size_t keep : {std::size_t{0}, std::size_t{5}, std::size_t{21}, std::size_t{60}, colourEnd - 1})
        EXPECT_TRUE(Decode(good, keep).Empty()) << keep;
    EXPECT_TRUE(Decode(good, good.size(), nullptr, 255).Empty()); // over the pixel budget
    // A broken large image gives way to a sound smaller one.
    Bytes pair = MakeIco({Solid(64, 64, 24, 1), Solid(8, 8, 24, 0x0A0B0C)});
    pair[6 + 12] = 0xF0; // offset of the 64x64 image beyond the file
    pair[6 + 15] = 0x7F;
    EXPECT_EQ(Decode(pair).width, 8);
    Bytes wide = good; // width 0x7FFFFFFF in the bitmap header
    wide[22 + 4] = wide[22 + 5] = wide[22 + 6] = 0xFF;
    wide[22 + 7] = 0x7F;
    Bytes manyColours = MakeIco({Solid(4, 4, 8, 1)});
    manyColours[22 + 32] = manyColours[22 + 33] = 0x01; // 257 palette entries for 8 bits
    EXPECT_TRUE(Decode(wide).Empty() && Decode(manyColours).Empty());
}
