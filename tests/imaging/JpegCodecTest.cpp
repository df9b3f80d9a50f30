#include "imaging/JpegCodec.h"
#include "JpegWriter.h"
#include "support/PictureFiles.h"

#include <gtest/gtest.h>

// Odd sizes so the last blocks are partial; four flat quadrants red, green, blue, white.
constexpr int w = 37, h = 29;
constexpr std::uint32_t kQuadrants[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};

static Bytes Quadrants(bool progressive) {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            pixels.push_back(kQuadrants[(y >= h / 2) * 2 + (x >= w / 2)]);
    return publish::EncodeJpeg(ImageOf(w, h, pixels), 95, progressive);
}

// Decodes the first `keep` bytes of `file`; a refusal says why and leaves no picture.
static bool Decode(const Bytes& file, std::size_t keep, DecodedImage& img, std::string& error,
                   std::size_t maxPixels = kMaxPicturePixels) {
    error.clear();
    const bool ok = DecodeJpeg(file.data(), keep, img, &error, maxPixels);
    EXPECT_EQ(std::pair(ok, ok), std::pair(error.empty(), !img.Empty()));
    return ok;
}

TEST(JpegCodec, DecodesEvenWithoutTheEndMarkerAndRefusesGarbledOrHugeFiles) {
    DecodedImage img, whole;
    std::string error;
    for (bool progressive : {false, true}) {
        SCOPED_TRACE(progressive);
        const Bytes file = Quadrants(progressive);
        ASSERT_EQ(file[file.size() - 2] * 256 + file.back(), 0xFFD9);
        ASSERT_TRUE(Decode(file, file.size(), whole, error)) << error;
        ASSERT_EQ(std::pair(whole.width, whole.height), std::pair(w, h));
        for (int q = 0; q < 4; ++q) {
            const std::uint32_t pixel = whole.At(q % 2 ? w - 4 : 4, q / 2 ? h - 4 : 4);
            for (int shift : {16, 8, 0})
                EXPECT_NEAR(int(pixel >> shift & 0xFF), int(kQuadrants[q] >> shift & 0xFF), 24) << q;
        }
        // Other viewers show a picture whose only loss is the two-byte end marker.
        ASSERT_TRUE(Decode(file, file.size() - 2, img, error)) << error;
        EXPECT_EQ(img.pixels, whole.pixels);
        // Compressed data that really ends early is refused, not shown half grey, whether or not
        // an end marker follows the cut; so is a progressive file that stops between two scans.
        std::vector<std::size_t> cuts = {2, 20, file.size() / 2, file.size() - 40};
        if (progressive)
            for (std::size_t at = 2; at + 1 < file.size() / 2; ++at)
                if (file[at] == 0xFF && file[at + 1] == 0xDA) cuts.push_back(at); // a scan's start
        for (std::size_t keep : cuts) {
            Bytes marked(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(keep));
            marked.insert(marked.end(), {0xFF, 0xD9});
            EXPECT_FALSE(Decode(file, keep, img, error)) << keep;
            EXPECT_FALSE(Decode(marked, marked.size(), img, error)) << keep;
        }
    }
    const Bytes garbage = {0xFF, 0xD8, 0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC};
    EXPECT_FALSE(Decode(garbage, garbage.size(), img, error) || DecodeJpeg(nullptr, 0, img, nullptr));
    // Hostile sizes are refused before decoding.
    const Bytes full = Quadrants(false);
    std::size_t sof = 2; // the baseline start-of-frame marker
    while (sof + 9 < full.size() && !(full[sof] == 0xFF && full[sof + 1] == 0xC0)) ++sof;
    ASSERT_LT(sof + 9, full.size());
    for (auto [width, height] : {std::pair{0u, 10u}, std::pair{65000u, 65000u}}) {
        Bytes b = full;
        b[sof + 5] = static_cast<std::uint8_t>(height >> 8), b[sof + 6] = static_cast<std::uint8_t>(height);
        b[sof + 7] = static_cast<std::uint8_t>(width >> 8), b[sof + 8] = static_cast<std::uint8_t>(width);
        EXPECT_FALSE(Decode(b, b.size(), img, error)) << width;
    }
    EXPECT_NE(error.find("too large"), std::string::npos) << error;
    // Within the side limit but over the caller's pixel budget.
    EXPECT_FALSE(Decode(full, full.size(), img, error, static_cast<std::size_t>(w * h - 1)));
    EXPECT_TRUE(Decode(full, full.size(), img, error, static_cast<std::size_t>(w * h)));
}
