#include "imaging/GifCodec.h"
#include "imaging/GifAnimation.h"
#include "support/PictureFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using Pixels = std::vector<std::uint32_t>;
const Pixels kPalette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};

static GifFrameSpec Frame(int left, int top, int w, int h, std::uint8_t index, int delayCs = -1,
                          int disposal = 0) {
    return {left, top,     w,  h,        std::vector<std::uint8_t>(static_cast<std::size_t>(w * h), index),
            {},   delayCs, -1, disposal, false};
}

// Index = (x + y) % 4 over the frame, so every row differs from its neighbours.
static GifFrameSpec Diagonal(int w, int h) {
    GifFrameSpec f = Frame(0, 0, w, h, 0);
    for (std::size_t i = 0; i < f.indices.size(); ++i)
        f.indices[i] = static_cast<std::uint8_t>((i % w + i / w) % 4);
    return f;
}

class GifCodec : public ::testing::Test {
  protected:
    Bytes Make(int w, int h, const std::vector<GifFrameSpec>& frames) {
        return MakeGif(dir.File("a.gif"), w, h, kPalette, frames);
    }
    TempDir dir;
    DecodedImage img;
    std::string error;
};

TEST_F(GifCodec, FirstFrameWithItsPaletteInterlaceAndTransparency) {
    for (bool interlaced : {false, true}) {
        GifFrameSpec f = Diagonal(5, 11);
        f.interlaced = interlaced;
        const Bytes file = Make(5, 11, {f, Frame(0, 0, 5, 11, 3)});
        ASSERT_TRUE(DecodeGif(file.data(), file.size(), img, &error)) << error;
        ASSERT_EQ(std::pair(img.width, img.height), std::pair(5, 11));
        for (int y = 0; y < 11; ++y)
            for (int x = 0; x < 5; ++x)
                ASSERT_EQ(img.At(x, y), kPalette[(x + y) % 4]) << interlaced << " " << x << "," << y;
        EXPECT_EQ(GifTransparentIndexOf(file.data(), file.size()), -1); // no control extension
    }
    // A small frame inside a bigger screen, its own palette, index 1 transparent: what it
    // does not cover, and its transparent pixels, show the fill colour (white by default).
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
}

TEST_F(GifCodec, AnimationComposesWithDisposal) {
    GifFrameSpec last = Frame(3, 3, 1, 1, 0, 40);
    last.localPalette = {0x010203, 0};
    // Red everywhere; a green square cleared afterwards; a blue corner restored afterwards;
    // one pixel in its own palette. The frame beside the screen must clear nothing.
    const Bytes file = Make(4, 4,
                            {Frame(0, 0, 4, 4, 1, 10), Frame(1, 1, 2, 2, 2, 20, 2),
                             Frame(10, 1, 2, 2, 2, 1, 2), Frame(0, 0, 1, 1, 3, 30, 3), last});
    CGifAnimation gif;
    ASSERT_TRUE(gif.Load(file.data(), file.size(), &error)) << error;
    ASSERT_EQ(gif.FrameCount(), 5);
    EXPECT_EQ(std::pair(gif.Frame(3).delayCs, gif.Frame(4).palette[0]), std::pair(30, 0x010203u));
    const std::uint32_t fill = 0x00FF00;
    ASSERT_TRUE(gif.ComposeFrame(1, 0xABCDEF, img));
    EXPECT_EQ(img.At(1, 1), 0x00FF00u);
    // Frame 1 cleared its rectangle; then frame 3 is undone; going back starts over.
    ASSERT_TRUE(gif.ComposeFrame(3, fill, img));
    EXPECT_EQ((Pixels{img.At(1, 1), img.At(0, 0), img.At(3, 1)}), (Pixels{fill, 0x0000FF, 0xFF0000}));
    ASSERT_TRUE(gif.ComposeFrame(4, fill, img));
    EXPECT_EQ(std::pair(img.At(0, 0), img.At(3, 3)), std::pair(0xFF0000u, 0x010203u));
    ASSERT_TRUE(gif.ComposeFrame(0, fill, img));
    EXPECT_EQ(img.At(1, 1), 0xFF0000u);
    EXPECT_FALSE(gif.ComposeFrame(5, fill, img));
    // A file cut inside frame 2 keeps frames 0 and 1; cut inside frame 0 it fails.
    const Bytes twoFrames = Make(4, 4, {Frame(0, 0, 4, 4, 1, 10), Frame(1, 1, 2, 2, 2, 20, 2)});
    ASSERT_TRUE(gif.Load(file.data(), twoFrames.size() + 6, &error));
    EXPECT_EQ(gif.FrameCount(), 2);
    EXPECT_FALSE(gif.Load(file.data(), 40, &error));
    EXPECT_EQ(gif.FrameCount(), 0);
}

TEST_F(GifCodec, HostileOrBrokenFilesFailCleanly) {
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

TEST_F(GifCodec, TransparentIndexOfTheFirstImage) {
    EXPECT_EQ(GifTransparentIndex(dir.File("none.gif")), -1);
    GifFrameSpec first = Frame(0, 0, 2, 2, 1, 5), second = first;
    Bytes b = Make(2, 2, {first});
    EXPECT_EQ(GifTransparentIndexOf(b.data(), b.size()), -1); // an extension without transparency
    first.transparentIndex = 3;
    second.transparentIndex = 2;
    b = Make(2, 2, {first, second});
    EXPECT_EQ(GifTransparentIndex(dir.File("a.gif")), 3); // the first image's, not the second's
    for (std::size_t keep = 0; keep < 30; ++keep)
        EXPECT_EQ(GifTransparentIndexOf(b.data(), keep), -1);
    b[1] = 'X';
    EXPECT_EQ(GifTransparentIndexOf(b.data(), b.size()), -1);
}
