#include "imaging/GifCodec.h"
#include "ImageFixtures.h"
#include "imaging/GifAnimation.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

const std::vector<std::uint32_t> kPalette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};

GifFrameSpec Frame(int left, int top, int w, int h, std::uint8_t index) {
    GifFrameSpec f;
    f.left = left;
    f.top = top;
    f.width = w;
    f.height = h;
    f.indices.assign(static_cast<std::size_t>(w * h), index);
    return f;
}

// Index = (x + y) % 4 over the frame, so every row differs from its neighbours.
GifFrameSpec Diagonal(int w, int h) {
    GifFrameSpec f = Frame(0, 0, w, h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            f.indices[static_cast<std::size_t>(y * w + x)] = static_cast<std::uint8_t>((x + y) % 4);
    return f;
}

class GifCodec : public ::testing::Test {
  protected:
    TempDir dir;
    Bytes Make(int w, int h, const std::vector<GifFrameSpec>& frames,
               const std::vector<std::uint32_t>& palette = kPalette) {
        return MakeGif(dir.File("a.gif"), w, h, palette, frames);
    }
};

} // namespace

TEST_F(GifCodec, FirstFrameWithItsPaletteInterlaceAndTransparency) {
    for (bool interlaced : {false, true}) {
        GifFrameSpec f = Diagonal(5, 11);
        f.interlaced = interlaced;
        const Bytes file = Make(5, 11, {f, Frame(0, 0, 5, 11, 3)});
        DecodedImage img;
        std::string error;
        ASSERT_TRUE(DecodeGif(file.data(), file.size(), img, &error)) << error;
        ASSERT_EQ(img.width, 5);
        ASSERT_EQ(img.height, 11);
        for (int y = 0; y < 11; ++y)
            for (int x = 0; x < 5; ++x)
                ASSERT_EQ(img.At(x, y), kPalette[(x + y) % 4]) << x << "," << y;
    }

    // A small frame inside a bigger screen, its own palette, index 1 transparent: what it
    // does not cover, and its transparent pixels, show the fill colour.
    GifFrameSpec f = Frame(2, 1, 3, 2, 2);
    f.indices[0] = 1;
    f.localPalette = {0x111111, 0x222222, 0x333333, 0x444444};
    f.delayCs = 0;
    f.transparentIndex = 1;
    const Bytes file = Make(6, 4, {f});
    DecodedImage img;
    ASSERT_TRUE(DecodeGif(file.data(), file.size(), img, nullptr, 0x123456));
    EXPECT_EQ(img.At(0, 0), 0x123456u);
    EXPECT_EQ(img.At(2, 1), 0x123456u); // transparent
    EXPECT_EQ(img.At(3, 1), 0x333333u);
    EXPECT_EQ(img.At(4, 2), 0x333333u);
    EXPECT_EQ(img.At(5, 3), 0x123456u);
    // A picture shows transparency as white by default.
    ASSERT_TRUE(DecodeGif(file.data(), file.size(), img, nullptr));
    EXPECT_EQ(img.At(2, 1), 0xFFFFFFu);
    EXPECT_EQ(GifTransparentIndexOf(file.data(), file.size()), 1);
}

TEST_F(GifCodec, AnimationKeepsDelaysPalettesAndComposesWithDisposal) {
    GifFrameSpec base = Frame(0, 0, 4, 4, 1); // red everywhere
    base.delayCs = 10;
    GifFrameSpec clearMe = Frame(1, 1, 2, 2, 2); // green square, then cleared to the fill
    clearMe.delayCs = 20;
    clearMe.disposal = 2;
    GifFrameSpec undoMe = Frame(0, 0, 1, 1, 3); // blue corner, then restored
    undoMe.delayCs = 30;
    undoMe.disposal = 3;
    GifFrameSpec last = Frame(3, 3, 1, 1, 0);
    last.delayCs = 40;
    last.localPalette = {0x010203, 0};
    const Bytes file = Make(4, 4, {base, clearMe, undoMe, last});

    CGifAnimation gif;
    std::string error;
    ASSERT_TRUE(gif.Load(file.data(), file.size(), &error)) << error;
    ASSERT_EQ(gif.FrameCount(), 4);
    EXPECT_EQ(gif.Frame(0).delayCs, 10);
    EXPECT_EQ(gif.Frame(2).delayCs, 30);
    EXPECT_EQ(gif.Frame(1).disposal, 2);
    EXPECT_EQ(gif.Frame(1).palette[2], 0x00FF00u);
    EXPECT_EQ(gif.Frame(3).palette[0], 0x010203u);

    const std::uint32_t fill = 0x00FF00;
    DecodedImage img;
    ASSERT_TRUE(gif.ComposeFrame(1, 0xABCDEF, img));
    EXPECT_EQ(img.At(0, 0), 0xFF0000u);
    EXPECT_EQ(img.At(1, 1), 0x00FF00u);
    ASSERT_TRUE(gif.ComposeFrame(2, fill, img));
    EXPECT_EQ(img.At(1, 1), fill); // frame 1 cleared its rectangle
    EXPECT_EQ(img.At(0, 0), 0x0000FFu);
    EXPECT_EQ(img.At(3, 0), 0xFF0000u);
    ASSERT_TRUE(gif.ComposeFrame(3, fill, img));
    EXPECT_EQ(img.At(0, 0), 0xFF0000u); // frame 2 undone
    EXPECT_EQ(img.At(3, 3), 0x010203u);
    // Going back starts over.
    ASSERT_TRUE(gif.ComposeFrame(0, fill, img));
    EXPECT_EQ(img.At(1, 1), 0xFF0000u);
    EXPECT_FALSE(gif.ComposeFrame(4, fill, img));

    // A file cut inside frame 2 keeps frames 0 and 1; cut inside frame 0 it fails.
    const Bytes twoFrames = Make(4, 4, {base, clearMe});
    ASSERT_TRUE(gif.Load(file.data(), twoFrames.size() + 6, &error));
    EXPECT_EQ(gif.FrameCount(), 2);
    EXPECT_FALSE(gif.Load(file.data(), 40, &error));
    EXPECT_EQ(gif.FrameCount(), 0);
}

TEST_F(GifCodec, HostileOrBrokenFilesFailCleanly) {
    const Bytes good = Make(5, 11, {Diagonal(5, 11)});
    DecodedImage img;
    std::string error;
    for (std::size_t keep = 0; keep < good.size() - 1; keep += 7)
        EXPECT_FALSE(DecodeGif(good.data(), keep, img, &error)) << keep;

    Bytes huge = good; // logical screen 60000 x 60000
    huge[6] = huge[8] = 0x60;
    huge[7] = huge[9] = 0xEA;
    EXPECT_FALSE(DecodeGif(huge.data(), huge.size(), img, &error));
    EXPECT_TRUE(img.Empty());
    // A screen of 0 x 0 grows to the first frame.
    Bytes empty = good;
    empty[6] = empty[7] = empty[8] = empty[9] = 0;
    ASSERT_TRUE(DecodeGif(empty.data(), empty.size(), img, &error)) << error;
    EXPECT_EQ(img.width, 5);
    EXPECT_EQ(img.height, 11);
    // Over the caller's pixel budget.
    EXPECT_FALSE(DecodeGif(good.data(), good.size(), img, &error, 0xFFFFFF, 54));

    // A frame that lies wholly beside the screen draws and clears nothing.
    GifFrameSpec beside = Frame(10, 1, 2, 2, 2);
    beside.delayCs = 1;
    beside.disposal = 2;
    const Bytes offScreen = Make(4, 4, {Frame(0, 0, 4, 4, 1), beside, Frame(0, 0, 1, 1, 3)});
    CGifAnimation gif;
    ASSERT_TRUE(gif.Load(offScreen.data(), offScreen.size(), &error)) << error;
    ASSERT_TRUE(gif.ComposeFrame(2, 0, img));
    EXPECT_EQ(img.At(0, 0), 0x0000FFu);
    EXPECT_EQ(img.At(3, 1), 0xFF0000u);

    const Bytes notGif = {'G', 'I', 'X', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0};
    EXPECT_FALSE(DecodeGif(notGif.data(), notGif.size(), img, &error));
}

TEST_F(GifCodec, TransparentIndexOfTheFirstImage) {
    GifFrameSpec f = Frame(0, 0, 2, 2, 1);
    EXPECT_EQ(GifTransparentIndex(dir.File("none.gif")), -1); // missing file
    Bytes b = Make(2, 2, {f});
    EXPECT_EQ(GifTransparentIndexOf(b.data(), b.size()), -1); // no control extension
    f.delayCs = 5;
    b = Make(2, 2, {f});
    EXPECT_EQ(GifTransparentIndexOf(b.data(), b.size()), -1); // extension without transparency
    f.transparentIndex = 3;
    GifFrameSpec second = f;
    second.transparentIndex = 2;
    b = Make(2, 2, {f, second});
    EXPECT_EQ(GifTransparentIndex(dir.File("a.gif")), 3); // the first image's, not the second's
    Bytes wrong = b;
    wrong[1] = 'X';
    EXPECT_EQ(GifTransparentIndexOf(wrong.data(), wrong.size()), -1);
    for (std::size_t keep = 0; keep < 30; ++keep)
        EXPECT_EQ(GifTransparentIndexOf(b.data(), keep), -1);
}
