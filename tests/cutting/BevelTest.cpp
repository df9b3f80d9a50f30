#include "cutting/Bevel.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

TEST(ShadePixel, EveryLayoutIsShadedClampedAndNeverReachesWhite) {
    // 24/32 bits: every byte, the fourth included, within 0..254.
    std::uint8_t p32[4] = {10, 250, 100, 0};
    ShadePixel(p32, 4, RGB32, true, 30);
    EXPECT_EQ(std::vector<int>(p32, p32 + 4), (std::vector<int>{40, 254, 130, 30}));
    std::uint8_t p24[3] = {255, 250, 3};
    ShadePixel(p24, 3, RGB24, false, 10);
    EXPECT_EQ(std::vector<int>(p24, p24 + 3), (std::vector<int>{245, 240, 0}));

    // 16 bits: channels widened, shaded, kept within 8..248 and packed back.
    struct Case {
        std::uint16_t before;
        PixelFormatCode format;
        bool lighten;
        int amount;
        std::uint16_t after;
    };
    const Case cases[] = {
        {0x8408, RGB565, true, 30, 0x9CCB}, // red, green, blue at 128, 128, 64
        {0x8408, RGB565, false, 30, 0x6304},
        {0x0000, RGB565, false, 30, 0x0841}, // black darkens to 8s
        {0xFFFF, RGB565, true, 30, 0xFFDF},  // white lightens to 248s
        {0x4210, RGB555, false, 30, 0x318C},
        // 248 everywhere would be 0x7FFF, the transparent white of 5-5-5.
        {0x7BDE, RGB555, true, 30, 0x7FFE},
        {0x4210, RGB16Other, true, 20, 0x4A52}, // other 16-bit layouts read as 5-5-5
    };
    for (const Case& c : cases) {
        std::uint16_t v = c.before;
        std::uint8_t bytes[2];
        std::memcpy(bytes, &v, 2);
        ShadePixel(bytes, 2, c.format, c.lighten, c.amount);
        std::memcpy(&v, bytes, 2);
        EXPECT_EQ(v, c.after) << std::hex << c.before << " " << c.format;
    }
}

// The first byte of each pixel of row y of a bevelled image.
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
    EXPECT_EQ(FirstBytes(image, 1, side, pitch, bpp), std::vector<int>(side, 100));
}

TEST(Bevel, EachLevelShadesItsNumberOfPixelsWithFallingIntensity) {
    // Two rows, so each pass sees the one inside run of row 0 once; 24-bit rows padded.
    const int width = 10, height = 2, bpp = 3, pitch = 32;
    std::vector<std::uint8_t> mask(width * height, 255);
    for (int x = 1; x <= 6; ++x)
        mask[x] = 0;
    // Low: two pixels, 30 and 20. Any level other than 0 or 1 is high: 40, 28, 16, 4.
    for (auto [level, row] : {std::pair{0, std::vector<int>{100, 160, 140, 100, 100, 80, 70, 100, 100, 100}},
                              {7, std::vector<int>{100, 180, 156, 128, 92, 72, 60, 100, 100, 100}}}) {
        std::vector<std::uint8_t> image(pitch * height, 100);
        ApplyBevel(mask.data(), image.data(), bpp, width, height, pitch, RGB24, BevelParamsForLevel(level));
        EXPECT_EQ(FirstBytes(image, 0, width, pitch, bpp), row) << level;
        EXPECT_EQ(image[30], 100) << "row padding untouched";
    }
}

} // namespace
