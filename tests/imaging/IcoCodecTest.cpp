#include "imaging/IcoCodec.h"
#include "support/PictureFiles.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <png.h>

static IcoImageSpec Solid(int w, int h, int bpp, std::uint32_t value, bool png = false) {
    IcoImageSpec s{w, h, bpp, {}, std::vector<std::uint32_t>(std::size_t(w * h), value), {}, png};
    if (bpp <= 8) s.palette = {0x000000, 0x336699, 0xFF0000, 0x00FF00};
    if (bpp == 1) s.palette.resize(2);
    return s;
}

// A PNG of 0xAARRGGBB pixels written by libpng, and an icon holding `bitmaps` and then it.
static Bytes EncodePng(int w, int h, const std::vector<std::uint32_t>& argb) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION, image.width = w, image.height = h;
    image.format = PNG_FORMAT_BGRA; // 0xAARRGGBB in little-endian memory
    png_alloc_size_t size = 1 << 16;
    Bytes png(size);
    EXPECT_TRUE(png_image_write_to_memory(&image, png.data(), &size, 0, argb.data(), 0, nullptr));
    png.resize(size);
    return png;
}
static Bytes IcoWithPng(std::vector<IcoImageSpec> bitmaps, const Bytes& png) {
    const std::size_t entry = 6 + 16 * bitmaps.size();
    bitmaps.push_back(Solid(1, 1, 32, 0, true)); // a placeholder of 12 bytes at the end
    Bytes file = MakeIco(bitmaps);
    file.resize(file.size() - 12);
    file.insert(file.end(), png.begin(), png.end());
    for (int k = 0; k < 4; ++k)
        file[entry + 8 + k] = static_cast<std::uint8_t>(png.size() >> (8 * k));
    return file;
}

// The decoded picture, empty when the file (cut to `size` bytes) is refused, and then saying why.
static DecodedImage Decode(const Bytes& file, std::size_t size = ~std::size_t{0},
                           std::size_t maxPixels = kMaxPicturePixels) {
    DecodedImage img;
    std::string error;
    const bool ok = DecodeIco(file.data(), std::min(size, file.size()), img, &error, maxPixels);
    EXPECT_EQ(std::pair(ok, ok), std::pair(error.empty(), !img.Empty())) << "a refusal says why";
    return img;
}

TEST(IcoCodec, PicksTheLargestThenDeepestImageAndRefusesHostileFiles) {
    // 16x16 at 8 bits, 32x32 at 4 bits, 32x32 at 24 bits, 48x48 as a broken PNG: the 24-bit 32x32.
    const IcoImageSpec brokenPng = Solid(48, 48, 32, 0, true);
    const DecodedImage img =
        Decode(MakeIco({Solid(16, 16, 8, 2), Solid(32, 32, 4, 3), Solid(32, 32, 24, 0x102030), brokenPng}));
    EXPECT_EQ(std::tuple(img.width, img.height, img.At(31, 0)), std::tuple(32, 32, 0x102030u));
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
    EXPECT_TRUE(Decode(good, good.size(), 255).Empty()); // over the pixel budget
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

TEST(IcoCodec, DecodesPngImagesBlendedOntoTheBackground) {
    // 5x4 (rows not 4-byte aligned): opaque, transparent and half-covered pixels in turn.
    const int w = 5, h = 4;
    std::vector<std::uint32_t> argb;
    for (std::uint32_t i = 0; i < w * h; ++i)
        argb.push_back((i % 3 == 0   ? 0xFFu
                        : i % 3 == 1 ? 0u
                                     : 0x80u)
                           << 24 |
                       (0x102030u * (i + 1) & 0xFFFFFF));
    const Bytes png = EncodePng(w, h, argb);
    const Bytes file = IcoWithPng({Solid(4, 4, 24, 0x0A0B0C)}, png); // the larger PNG is shown
    const DecodedImage img = Decode(file);
    ASSERT_EQ(std::pair(img.width, img.height), std::pair(w, h));
    for (std::size_t i = 0; i < argb.size(); ++i)
        for (int shift : {16, 8, 0}) {
            const int c = argb[i] >> shift & 0xFF, a = argb[i] >> 24;
            EXPECT_NEAR(int(img.pixels[i] >> shift & 0xFF), (c * a + 255 * (255 - a)) / 255, 1) << i;
        }
    // A PNG cut short or over the pixel budget gives way to the bitmap; a damaged one alone is refused.
    EXPECT_EQ(Decode(file, file.size() - png.size() / 2).width, 4);
    EXPECT_EQ(Decode(file, file.size(), w * h - 1).width, 4);
    Bytes damaged = IcoWithPng({}, png);
    damaged[6 + 16 + 19] ^= 1; // the width, its checksum no longer matching
    EXPECT_TRUE(Decode(damaged).Empty());
}
