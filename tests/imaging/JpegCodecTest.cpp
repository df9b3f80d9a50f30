#include "imaging/JpegCodec.h"
#include "ImageFixtures.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

// Four flat quadrants: red, green, blue, white.
std::uint32_t Quadrants(int x, int y, int w, int h) {
    const bool right = x >= w / 2, bottom = y >= h / 2;
    if (!right && !bottom) return 0xFF0000;
    if (right && !bottom) return 0x00FF00;
    if (!right) return 0x0000FF;
    return 0xFFFFFF;
}

void ExpectNear(std::uint32_t actual, std::uint32_t expected, int tolerance) {
    for (int shift : {16, 8, 0}) {
        const int a = static_cast<int>((actual >> shift) & 0xFF),
                  e = static_cast<int>((expected >> shift) & 0xFF);
        EXPECT_NEAR(a, e, tolerance) << std::hex << "actual " << actual << " expected " << expected;
    }
}

// Offset of the first start-of-frame marker (baseline or progressive).
std::size_t FindSof(const Bytes& b) {
    for (std::size_t i = 2; i + 9 < b.size(); ++i)
        if (b[i] == 0xFF && (b[i + 1] == 0xC0 || b[i + 1] == 0xC2)) return i;
    return 0;
}

class JpegCodec : public ::testing::Test {
  protected:
    TempDir dir;
    // Odd sizes so the last blocks are partial.
    const int w = 37, h = 29;
    Bytes Make(JpegOptions options = {}) {
        return MakeJpeg(
            dir.File("p.jpg"), w, h, [&](int x, int y) { return Quadrants(x, y, w, h); }, options);
    }
};

} // namespace

TEST_F(JpegCodec, DecodesColourGreyAndProgressiveFiles) {
    for (bool progressive : {false, true}) {
        DecodedImage img;
        std::string error;
        const Bytes file = Make({95, false, progressive});
        ASSERT_TRUE(DecodeJpeg(file.data(), file.size(), img, &error)) << error;
        EXPECT_EQ(img.width, w);
        EXPECT_EQ(img.height, h);
        ASSERT_EQ(img.pixels.size(), static_cast<std::size_t>(w * h));
        ExpectNear(img.At(4, 4), 0xFF0000, 24);
        ExpectNear(img.At(w - 4, 4), 0x00FF00, 24);
        ExpectNear(img.At(4, h - 4), 0x0000FF, 24);
        ExpectNear(img.At(w - 4, h - 4), 0xFFFFFF, 24);
    }
    DecodedImage grey;
    const Bytes file = MakeJpeg(dir.File("g.jpg"), 16, 8,
                                [](int x, int) { return x < 8 ? 0x202020u : 0xC0C0C0u; }, {90, true, false});
    ASSERT_TRUE(DecodeJpeg(file.data(), file.size(), grey, nullptr));
    ExpectNear(grey.At(2, 2), 0x202020, 8);
    ExpectNear(grey.At(13, 5), 0xC0C0C0, 8);
    EXPECT_EQ(grey.At(13, 5) >> 16, grey.At(13, 5) & 0xFF); // grey stays grey
}

TEST_F(JpegCodec, TruncatedOrCorruptFilesFailWithoutEndingTheProgram) {
    for (bool progressive : {false, true}) {
        const Bytes full = Make({95, false, progressive});
        for (std::size_t keep : {std::size_t{2}, std::size_t{20}, full.size() / 2, full.size() - 40}) {
            DecodedImage img;
            std::string error;
            EXPECT_FALSE(DecodeJpeg(full.data(), keep, img, &error)) << keep;
            EXPECT_TRUE(img.Empty());
            EXPECT_FALSE(error.empty());
        }
    }
    DecodedImage img;
    const Bytes garbage = {0xFF, 0xD8, 0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC};
    EXPECT_FALSE(DecodeJpeg(garbage.data(), garbage.size(), img, nullptr));
    EXPECT_FALSE(DecodeJpeg(nullptr, 0, img, nullptr));

    // Scribbled-over data: anything may come out, but the call returns.
    const Bytes full = Make();
    std::uint32_t state = 12345;
    for (int round = 0; round < 200; ++round) {
        Bytes broken = full;
        for (int k = 0; k < 4; ++k) {
            state = state * 1103515245u + 12345u;
            broken[2 + (state >> 8) % (broken.size() - 2)] = static_cast<std::uint8_t>(state >> 24);
        }
        DecodedImage out;
        if (DecodeJpeg(broken.data(), broken.size(), out, nullptr)) {
            EXPECT_EQ(out.pixels.size(), static_cast<std::size_t>(out.width) * out.height);
        }
    }
}

TEST_F(JpegCodec, HostileSizesAreRefusedBeforeDecoding) {
    const Bytes full = Make();
    const std::size_t sof = FindSof(full);
    ASSERT_NE(sof, 0u);
    auto withSize = [&](unsigned width, unsigned height) {
        Bytes b = full;
        b[sof + 5] = static_cast<std::uint8_t>(height >> 8);
        b[sof + 6] = static_cast<std::uint8_t>(height);
        b[sof + 7] = static_cast<std::uint8_t>(width >> 8);
        b[sof + 8] = static_cast<std::uint8_t>(width);
        return b;
    };
    std::string error;
    DecodedImage img;
    Bytes b = withSize(65000, 65000);
    EXPECT_FALSE(DecodeJpeg(b.data(), b.size(), img, &error));
    EXPECT_NE(error.find("too large"), std::string::npos) << error;
    b = withSize(0, 10);
    EXPECT_FALSE(DecodeJpeg(b.data(), b.size(), img, &error));
    // Within the side limit but over the caller's pixel budget.
    EXPECT_FALSE(DecodeJpeg(full.data(), full.size(), img, &error, static_cast<std::size_t>(w * h - 1)));
    EXPECT_TRUE(DecodeJpeg(full.data(), full.size(), img, &error, static_cast<std::size_t>(w * h)));
}
