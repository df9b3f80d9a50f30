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
        {0x8408, RGB565, false, 30, 0x6304},    {0x0000, RGB565, false, 30, 0x0841}, // black darkens to 8s
        {0xFFFF, RGB565, true, 30, 0xFFDF},     {0x4210, RGB555, false, 30, 0x318C},
        {0x7BDE, RGB555, true, 30, 0x7FFE},     // 248 everywhere would be 5-5-5's transparent white
        {0x4210, RGB16Other, true, 20, 0x4A52}, // other 16-bit layouts read as 5-5-5
    };
    for (const Case& c : cases) {
        std::uint8_t bytes[2];
        std::memcpy(bytes, &c.before, 2);
        ShadePixel(bytes, 2, c.format, c.lighten, c.amount);
        std::uint16_t v;
        std::memcpy(&v, bytes, 2);
        EXPECT_EQ(v, c.after) << std::hex << c.before << " " << c.format;
    }
}

TEST(Bevel, EachLevelShadesItsRunsWithIntensityAndArmingCarriedAcrossPasses) {
    // One inside run on row 2, columns 1..6, of a 10 x 4 image of 100s; 24-bit rows padded.
    const int width = 10, height = 4, bpp = 3, pitch = 32;
    std::vector<std::uint8_t> mask(width * height, 255);
    for (int x = 1; x <= 6; ++x)
        mask[2 * width + x] = 0;
    // Rows lighten from the left; each column's one-pixel run continues the count of the
    // previous column; rows darken from the right and columns upwards. Low shades two
    // pixels, medium three, anything but 0 or 1 high: four, from 40.
    for (auto [level, row] : {std::pair{0, std::vector<int>{100, 130, 120, 100, 100, 80, 70, 100, 100, 100}},
                              {1, std::vector<int>{100, 130, 120, 110, 90, 80, 70, 100, 100, 100}},
                              {7, std::vector<int>{100, 140, 128, 116, 104, 96, 84, 100, 100, 100}}}) {
        std::vector<std::uint8_t> image(pitch * height, 100);
        ApplyBevel(mask.data(), image.data(), bpp, width, height, pitch, RGB24, BevelParamsForLevel(level));
        std::vector<int> first;
        for (int x = 0; x < width; ++x)
            first.push_back(image[2 * pitch + x * bpp]);
        EXPECT_EQ(first, row) << level;
        EXPECT_EQ(image[pitch + 3], 100) << "rows without a run stay";
        EXPECT_EQ(image[30], 100) << "row padding untouched";
    }
}

} // namespace
