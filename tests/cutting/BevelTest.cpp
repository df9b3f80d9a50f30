#include "cutting/Bevel.h"
#include "cutting/PieceImages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

std::uint16_t Shade16(std::uint16_t v, PixelFormatCode format, bool lighten, int amount) {
    std::uint8_t bytes[2];
    std::memcpy(bytes, &v, 2);
    ShadePixel(bytes, 2, format, lighten, amount);
    std::memcpy(&v, bytes, 2);
    return v;
}

TEST(ShadePixel, ByteLayoutsShadeEveryByteAndNeverReachWhite) {
    std::uint8_t p32[4] = {10, 250, 100, 0};
    ShadePixel(p32, 4, RGB32, true, 30);
    EXPECT_EQ(std::vector<int>(p32, p32 + 4), (std::vector<int>{40, 254, 130, 30}));
    ShadePixel(p32, 4, RGB32, false, 50);
    EXPECT_EQ(std::vector<int>(p32, p32 + 4), (std::vector<int>{0, 204, 80, 0}));

    std::uint8_t p24[3] = {255, 250, 3};
    ShadePixel(p24, 3, RGB24, true, 4);
    EXPECT_EQ(std::vector<int>(p24, p24 + 3), (std::vector<int>{254, 254, 7}));
    ShadePixel(p24, 3, RGB24, false, 10);
    EXPECT_EQ(std::vector<int>(p24, p24 + 3), (std::vector<int>{244, 244, 0}));
}

TEST(ShadePixel, SixteenBitChannelsAreShadedClampedAndRepacked) {
    // 5-6-5 with red, green and blue at 128, 128, 64.
    EXPECT_EQ(Shade16(0x8408, RGB565, true, 30), 0x9CCB);
    EXPECT_EQ(Shade16(0x8408, RGB565, false, 30), 0x6304);
    // Channels stay within 8..248: black darkens to 8s, white lightens to 248s.
    EXPECT_EQ(Shade16(0x0000, RGB565, false, 30), 0x0841);
    EXPECT_EQ(Shade16(0xFFFF, RGB565, true, 30), 0xFFDF);

    // 5-5-5 with every channel at 128.
    EXPECT_EQ(Shade16(0x4210, RGB555, false, 30), 0x318C);
    EXPECT_EQ(Shade16(0x0000, RGB555, false, 30), 0x0421);
    // Lightened to 248 everywhere would be 0x7FFF, the transparent white of 5-5-5.
    EXPECT_EQ(Shade16(0x7BDE, RGB555, true, 30), 0x7FFE);
    // Other 16-bit layouts are read as 5-5-5.
    EXPECT_EQ(Shade16(0x4210, RGB16Other, true, 20), 0x4A52);
}

// One bpp-byte channel value per pixel of a bevelled image, read back as the first byte.
std::vector<int> FirstBytes(const std::vector<std::uint8_t>& image, int y, int width, int pitch, int bpp) {
    std::vector<int> out;
    for (int x = 0; x < width; ++x)
        out.push_back(image[static_cast<std::size_t>(y) * pitch + x * bpp]);
    return out;
}

TEST(Bevel, IntensityCountAndArmingCarryAcrossRunsAndPasses) {
    // An 8 x 8 image of 100s with one inside run on row 2, columns 1..6, bevelled medium.
    const int side = 8, bpp = 4, pitch = side * bpp;
    std::vector<std::uint8_t> mask(side * side, 255), image(pitch * side, 100);
    for (int x = 1; x <= 6; ++x)
        mask[2 * side + x] = 0;
    ApplyBevel(mask.data(), image.data(), bpp, side, side, pitch, RGB32, BevelParamsForLevel(1));
    // Rows lighten 30, 20, 10 from the left; each column's one-pixel run continues the
    // count of the previous column; rows darken from the right; columns darken upwards.
    EXPECT_EQ(FirstBytes(image, 2, side, pitch, bpp),
              (std::vector<int>{100, 130, 120, 110, 90, 80, 70, 100}));
    EXPECT_EQ(image[2 * pitch + 1 * bpp + 3], 130) << "the fourth byte is shaded too";
    EXPECT_EQ(FirstBytes(image, 1, side, pitch, bpp), std::vector<int>(side, 100));
}

TEST(Bevel, EachLevelShadesItsNumberOfPixelsWithFallingIntensity) {
    // Two rows, so each pass sees the one inside run of row 0 once; 24-bit rows padded.
    const int width = 10, height = 2, bpp = 3, pitch = 32;
    std::vector<std::uint8_t> mask(width * height, 255), image(pitch * height, 100);
    for (int x = 1; x <= 6; ++x)
        mask[x] = 0;
    // Any level other than 0 or 1 is high: 40, 28, 16, 4.
    ApplyBevel(mask.data(), image.data(), bpp, width, height, pitch, RGB24, BevelParamsForLevel(7));
    EXPECT_EQ(FirstBytes(image, 0, width, pitch, bpp),
              (std::vector<int>{100, 180, 156, 128, 92, 72, 60, 100, 100, 100}));
    EXPECT_EQ(image[30], 100) << "row padding untouched";

    // Low: two pixels, 30 and 20.
    std::fill(image.begin(), image.end(), 100);
    ApplyBevel(mask.data(), image.data(), bpp, width, height, pitch, RGB24, BevelParamsForLevel(0));
    EXPECT_EQ(FirstBytes(image, 0, width, pitch, bpp),
              (std::vector<int>{100, 160, 140, 100, 100, 80, 70, 100, 100, 100}));
}

TEST(RotateScratch, TurnsAQuarterClockwise) {
    // 3 x 3 of 2-byte pixels numbered row by row.
    std::vector<std::uint8_t> image(18), work(18);
    for (int i = 0; i < 9; ++i) {
        image[i * 2] = static_cast<std::uint8_t>(i);
        image[i * 2 + 1] = static_cast<std::uint8_t>(100 + i);
    }
    RotateScratch(image.data(), work.data(), 3, 2);
    // 0 1 2      6 3 0
    // 3 4 5  ->  7 4 1
    // 6 7 8      8 5 2
    const int expected[9] = {6, 3, 0, 7, 4, 1, 8, 5, 2};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(image[i * 2], expected[i]);
        EXPECT_EQ(image[i * 2 + 1], 100 + expected[i]);
    }
    for (int turn = 0; turn < 3; ++turn)
        RotateScratch(image.data(), work.data(), 3, 2);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(image[i * 2], i);
}

} // namespace
