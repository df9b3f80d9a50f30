#include "imaging/JpegCodec.h"
#include "support/PictureFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

void ExpectNear(std::uint32_t actual, std::uint32_t expected, int tolerance) {
    for (int shift : {16, 8, 0})
        EXPECT_NEAR(static_cast<int>((actual >> shift) & 0xFF), static_cast<int>((expected >> shift) & 0xFF),
                    tolerance)
            << std::hex << "actual " << actual << " expected " << expected;
}

class JpegCodec : public ::testing::Test {
  protected:
    TempDir dir;
    // Odd sizes so the last blocks are partial; four flat quadrants red, green, blue, white.
    static constexpr int w = 37, h = 29;
    Bytes Make(bool progressive = false) {
        return MakeJpeg(dir.File("p.jpg"), w, h,
                        [](int x, int y) {
                            const std::uint32_t q[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
                            return q[(y >= h / 2) * 2 + (x >= w / 2)];
                        },
                        {95, false, progressive});
    }
};

} // namespace

TEST_F(JpegCodec, DecodesColourGreyAndProgressiveFiles) {
    DecodedImage img;
    std::string error;
    for (bool progressive : {false, true}) {
        const Bytes file = Make(progressive);
        ASSERT_TRUE(DecodeJpeg(file.data(), file.size(), img, &error)) << error;
        EXPECT_EQ(img.width, w);
        ASSERT_EQ(img.pixels.size(), static_cast<std::size_t>(w * h));
        ExpectNear(img.At(4, 4), 0xFF0000, 24);
        ExpectNear(img.At(w - 4, 4), 0x00FF00, 24);
        ExpectNear(img.At(4, h - 4), 0x0000FF, 24);
        ExpectNear(img.At(w - 4, h - 4), 0xFFFFFF, 24);
    }
    const Bytes grey = MakeJpeg(dir.File("g.jpg"), 16, 8,
                                [](int x, int) { return x < 8 ? 0x202020u : 0xC0C0C0u; }, {90, true, false});
    ASSERT_TRUE(DecodeJpeg(grey.data(), grey.size(), img, nullptr));
    ExpectNear(img.At(2, 2), 0x202020, 8);
    ExpectNear(img.At(13, 5), 0xC0C0C0, 8);
    EXPECT_EQ(img.At(13, 5) >> 16, img.At(13, 5) & 0xFF); // grey stays grey
}

TEST_F(JpegCodec, TruncatedGarbledOrHugeFilesFailWithoutEndingTheProgram) {
    DecodedImage img;
    std::string error;
    for (bool progressive : {false, true}) {
        const Bytes full = Make(progressive);
        for (std::size_t keep : {std::size_t{2}, std::size_t{20}, full.size() / 2, full.size() - 40}) {
            EXPECT_FALSE(DecodeJpeg(full.data(), keep, img, &error)) << keep;
            EXPECT_TRUE(img.Empty());
            EXPECT_FALSE(error.empty());
        }
    }
    const Bytes garbage = {0xFF, 0xD8, 0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC};
    EXPECT_FALSE(DecodeJpeg(garbage.data(), garbage.size(), img, nullptr));
    EXPECT_FALSE(DecodeJpeg(nullptr, 0, img, nullptr));

    // Hostile sizes are refused before decoding.
    const Bytes full = Make();
    std::size_t sof = 2; // the baseline start-of-frame marker
    while (sof + 9 < full.size() && !(full[sof] == 0xFF && full[sof + 1] == 0xC0))
        ++sof;
    ASSERT_LT(sof + 9, full.size());
    auto withSize = [&](unsigned width, unsigned height) {
        Bytes b = full;
        b[sof + 5] = static_cast<std::uint8_t>(height >> 8);
        b[sof + 6] = static_cast<std::uint8_t>(height);
        b[sof + 7] = static_cast<std::uint8_t>(width >> 8);
        b[sof + 8] = static_cast<std::uint8_t>(width);
        return b;
    };
    Bytes b = withSize(65000, 65000);
    EXPECT_FALSE(DecodeJpeg(b.data(), b.size(), img, &error));
    EXPECT_NE(error.find("too large"), std::string::npos) << error;
    b = withSize(0, 10);
    EXPECT_FALSE(DecodeJpeg(b.data(), b.size(), img, &error));
    // Within the side limit but over the caller's pixel budget.
    EXPECT_FALSE(DecodeJpeg(full.data(), full.size(), img, &error, static_cast<std::size_t>(w * h - 1)));
    EXPECT_TRUE(DecodeJpeg(full.data(), full.size(), img, &error, static_cast<std::size_t>(w * h)));
}
