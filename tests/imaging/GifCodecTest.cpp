// Only a GIF's first frame is ever shown; later frames and their disposal are not checked.
#include "imaging/GifCodec.h"
#include "support/PictureFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using Pixels = std::vector<std::uint32_t>;
const Pixels kPalette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};

static GifFrameSpec Frame(int left, int top, int w, int h, std::uint8_t index, int delayCs = -1) {
    const std::vector<std::uint8_t> indices(static_cast<std::size_t>(w * h), index);
    return {left, top, w, h, indices, {}, delayCs, -1, 0, false};
}

// Index = (x + y) % 4 over the frame, so every row differs from its neighbours.
static GifFrameSpec Diagonal(int w, int h) {
    GifFrameSpec f = Frame(0, 0, w, h, 0);
    for (std::size_t i = 0; i < f.indices.size(); ++i)
        f.indices[i] = static_cast<std::uint8_t>((i % w + i / w) % 4);
    return f;
}

TEST(GifCodec, FirstFrameWithItsPaletteInterlaceAndTransparencyAndHostileFilesFail) {
    TempDir dir;
    DecodedImage img;
    std::string error;
    const auto Make = [&](int w, int h, const std::vector<GifFrameSpec>& frames) {
        return MakeGif(dir.File("a.gif"), w, h, kPalette, frames);
    };
    for (bool interlaced : {false, true}) {
        GifFrameSpec f = Diagonal(5, 11);
        f.interlaced = interlaced;
        const Bytes file = Make(5, 11, {f, Frame(0, 0, 5, 11, 3)});
        ASSERT_TRUE(DecodeGif(file.data(), file.size(), img, &error)) << error;
        ASSERT_EQ(std::pair(img.width, img.height), std::pair(5, 11));
        for (int y = 0; y < 11; ++y)
            for (int x = 0; x < 5; ++x)
                ASSERT_EQ(img.At(x, y), kPalette[(x + y) % 4]) << interlaced << " " << x << "," << y;
    }
    // A small frame, own palette, index 1 transparent: uncovered and transparent pixels show the fill.
    GifFrameSpec f = Frame(2, 1, 3, 2, 2, 0);
    f.indices[0] = 1;
    f.localPalette = {0x111111, 0x222222, 0x333333, 0x444444};
    f.transparentIndex = 1;
    const Bytes file = Make(6, 4, {f});
    ASSERT_TRUE(DecodeGif(file.data(), file.size(), img, nullptr, 0x123456));
    EXPECT_EQ((Pixels{img.At(0, 0), img.At(2, 1), img.At(4, 2), img.At(5, 3)}),
              (Pixels{0x123456, 0x123456, 0x333333, 0x123456}));
    ASSERT_TRUE(DecodeGif(file.data(), file.size(), img, nullptr));
    EXPECT_EQ(img.At(2, 1), 0xFFFFFFu);
    const Bytes good = Make(5, 11, {Diagonal(5, 11)});
    for (std::size_t keep = 0; keep < good.size() - 1; keep += 7)
        EXPECT_FALSE(DecodeGif(good.data(), keep, img, &error)) << keep;
    Bytes huge = good; // logical screen 60000 x 60000
    huge[6] = huge[8] = 0x60;
    huge[7] = huge[9] = 0xEA;
    const Bytes notGif = {'G', 'I', 'X', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0};
    EXPECT_FALSE(DecodeGif(huge.data(), huge.size(), img, &error) ||
                 DecodeGif(notGif.data(), notGif.size(), img, &error) ||
                 DecodeGif(good.data(), good.size(), img, &error, 0xFFFFFF, 54)); // over the pixel budget
    EXPECT_TRUE(img.Empty());
    // A screen of 0 x 0 grows to the first frame.
    Bytes empty = good;
    empty[6] = empty[7] = empty[8] = empty[9] = 0;
    ASSERT_TRUE(DecodeGif(empty.data(), empty.size(), img, &error)) << error;
    EXPECT_EQ(std::pair(img.width, img.height), std::pair(5, 11));
}
