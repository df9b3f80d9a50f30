#include "DisplayFixture.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

class Blit : public DisplayFixture {
  protected:
    // Counts back-buffer pixels holding `value`.
    int Count(std::uint32_t value) {
        int n = 0;
        for (int y = 0; y < display.height; ++y)
            for (int x = 0; x < display.width; ++x)
                n += Back(x, y) == value;
        return n;
    }
};

TEST_F(Blit, OffscreenDestinationsAreSkippedAndEdgesClipped) {
    Create(RGB32, 64, 48);
    auto s = Surface(8, 8);
    ASSERT_EQ(s->Fill(0xABCDEF, false), S_OK);
    const std::uint32_t v = 0xABCDEF;

    // Wholly outside on each side, including ones that only touch the edge: nothing drawn.
    for (auto [x, y] : {std::pair{-9, 10},
                        {-8, 10},
                        {64, 10},
                        {65, 10},
                        {10, -9},
                        {10, -8},
                        {10, 48},
                        {10, 49},
                        {INT_MIN + 4, 0},
                        {INT_MAX - 4, 0},
                        {0, INT_MIN + 4},
                        {0, INT_MAX - 4}}) {
        EXPECT_EQ(display.DrawSurface(x, y, s.get(), nullptr, -1, -1), S_OK) << x << "," << y;
    }
    EXPECT_EQ(Count(v), 0);

    // Hanging over each edge by any amount: only the part on the buffer is drawn.
    struct Case {
        int x, y, visible;
    };
    for (Case c : {Case{-5, 10, 3 * 8}, Case{61, 10, 3 * 8}, Case{10, -7, 8}, Case{10, 47, 8},
                   Case{-4, -4, 16}, Case{60, 44, 16}}) {
        display.ClearBackBuffer(0);
        EXPECT_EQ(display.DrawSurface(c.x, c.y, s.get(), nullptr, -1, -1), S_OK);
        EXPECT_EQ(Count(v), c.visible) << c.x << "," << c.y;
    }
    display.ClearBackBuffer(0);
    display.DrawSurface(60, 44, s.get(), nullptr, -1, -1);
    EXPECT_EQ(Back(63, 47), v);
    EXPECT_EQ(Back(59, 47), 0u);
    EXPECT_EQ(Back(63, 43), 0u);
}

TEST_F(Blit, ColourKeyInEveryLayout) {
    for (PixelFormatCode code : kDrawableFormats) {
        Create(code, 40, 8);
        const std::uint32_t white = ColourToPixel(code, RGB(255, 255, 255));
        const std::uint32_t red = ColourToPixel(code, RGB(255, 0, 0));
        const std::uint32_t blue = ColourToPixel(code, RGB(0, 0, 255));
        const std::uint32_t back = ColourToPixel(code, RGB(0, 255, 0));
        // Odd widths reach every tail of the row loops.
        std::mt19937 rng(7);
        for (int width : {1, 3, 4, 7, 9, 17, 33}) {
            auto s = Surface(width, 2);
            std::vector<std::uint32_t> expected(static_cast<std::size_t>(width) * 2);
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < width; ++x) {
                    const std::uint32_t p = (rng() & 1) ? white : ((x + y) % 2 ? red : blue);
                    s->SetPixelValue(x, y, p);
                    expected[static_cast<std::size_t>(y * width + x)] = p == white ? back : p;
                }
            ASSERT_EQ(s->SetTransparentColour(RGB(255, 255, 255)), S_OK);
            EXPECT_EQ(s->colourKey, white);
            display.ClearBackBuffer(back);
            ASSERT_EQ(display.DrawSurface(3, 2, s.get(), nullptr, -1, -1), S_OK);
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < width; ++x)
                    ASSERT_EQ(Back(3 + x, 2 + y), expected[static_cast<std::size_t>(y * width + x)])
                        << code << " w" << width << " at " << x << "," << y;
            EXPECT_EQ(Back(2, 2), back);

            // Without a key every pixel is copied.
            s->transparent = 0;
            display.ClearBackBuffer(back);
            display.DrawSurface(3, 2, s.get(), nullptr, -1, -1);
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(Back(3 + x, 2), s->GetPixelValue(x, 0));
        }
    }
}

TEST_F(Blit, SpareByteOf32BitPixelsIsNotPartOfTheKey) {
    Create(RGB32, 8, 8);
    auto s = Surface(2, 1);
    s->SetPixelValue(0, 0, 0xFFFFFFFF); // white written by code that sets the spare byte
    s->SetPixelValue(1, 0, 0x00123456);
    s->SetTransparentColour(RGB(255, 255, 255));
    display.ClearBackBuffer(7);
    display.DrawSurface(0, 0, s.get(), nullptr, -1, -1);
    EXPECT_EQ(Back(0, 0), 7u);
    EXPECT_EQ(Back(1, 0), 0x123456u);
}

TEST_F(Blit, StretchedSourceRectanglesAndBadArguments) {
    for (PixelFormatCode code : kDrawableFormats) {
        Create(code, 32, 32);
        auto s = Surface(2, 2);
        const std::uint32_t c[4] = {ColourToPixel(code, RGB(255, 0, 0)), ColourToPixel(code, RGB(0, 255, 0)),
                                    ColourToPixel(code, RGB(0, 0, 255)),
                                    ColourToPixel(code, RGB(255, 255, 0))};
        s->SetPixelValue(0, 0, c[0]);
        s->SetPixelValue(1, 0, c[1]);
        s->SetPixelValue(0, 1, c[2]);
        s->SetPixelValue(1, 1, c[3]);
        display.ClearBackBuffer(0);
        ASSERT_EQ(display.DrawSurface(4, 4, s.get(), nullptr, 4, 6), S_OK);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(Back(4 + x, 4 + y), c[(y / 3) * 2 + x / 2]) << code;
        EXPECT_EQ(Back(8, 4), 0u);
        EXPECT_EQ(Back(4, 10), 0u);

        // Stretched past the left edge: the clipped part keeps its place in the picture.
        display.ClearBackBuffer(0);
        display.DrawSurface(-4, 0, s.get(), nullptr, 8, 2);
        EXPECT_EQ(Back(0, 0), c[1]);
        EXPECT_EQ(Back(3, 0), c[1]);
        EXPECT_EQ(Back(4, 0), 0u);

        // A source rectangle picks part of the surface; -1, -1 keeps its size.
        const RECT right{1, 0, 2, 2};
        display.ClearBackBuffer(0);
        display.DrawSurface(0, 0, s.get(), &right, -1, -1);
        EXPECT_EQ(Back(0, 0), c[1]);
        EXPECT_EQ(Back(0, 1), c[3]);
        EXPECT_EQ(Back(1, 0), 0u);
    }
    // Shrinking takes the pixel under each destination pixel's centre.
    Create(RGB32, 8, 8);
    auto big = Surface(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            big->SetPixelValue(x, y, static_cast<std::uint32_t>(y * 4 + x));
    display.ClearBackBuffer(99);
    display.DrawSurface(0, 0, big.get(), nullptr, 2, 2);
    EXPECT_EQ(Back(0, 0), 5u);
    EXPECT_EQ(Back(1, 0), 7u);
    EXPECT_EQ(Back(0, 1), 13u);
    EXPECT_EQ(Back(1, 1), 15u);

    const RECT outside{2, 2, 5, 5}, inverted{3, 3, 1, 1};
    EXPECT_EQ(display.DrawSurface(0, 0, nullptr, nullptr, -1, -1), E_INVALIDARG);
    EXPECT_EQ(display.DrawSurface(0, 0, big.get(), &outside, -1, -1), E_INVALIDARG);
    EXPECT_EQ(display.DrawSurface(5, 5, big.get(), &inverted, -1, -1), E_INVALIDARG);
    EXPECT_EQ(display.DrawSurface(5, 0, big.get(), nullptr, -1, 4), E_INVALIDARG);
    EXPECT_EQ(display.DrawRaw(0, 0, display.BackBuffer(), RECT{0, 0, 2, 2}, -1, -1, false), E_FAIL);
    CDisplay empty;
    EXPECT_EQ(empty.DrawSurface(0, 0, big.get(), nullptr, -1, -1), E_POINTER);
    EXPECT_EQ(empty.ClearBackBuffer(0), E_POINTER);
    EXPECT_EQ(empty.FillArea(0, 0, 0, 1, 1), E_POINTER);
}

TEST_F(Blit, FillsAreClippedAndFramesMissOneCorner) {
    Create(RGB24, 32, 24);
    ASSERT_EQ(display.ClearBackBuffer(0x123456), S_OK);
    std::int32_t pitch = 0;
    const std::uint8_t* bytes = display.BackBuffer()->Lock(&pitch);
    EXPECT_EQ(bytes[0], 0x56); // B, G, R
    EXPECT_EQ(bytes[1], 0x34);
    EXPECT_EQ(bytes[2], 0x12);
    EXPECT_EQ(bytes[pitch * 23 + 31 * 3 + 2], 0x12);
    display.BackBuffer()->Unlock();

    display.ClearBackBuffer(0);
    EXPECT_EQ(display.FillArea(9, -5, -5, 3, 2), S_OK);
    EXPECT_EQ(Back(2, 1), 9u);
    EXPECT_EQ(Back(3, 1), 0u);
    EXPECT_EQ(Back(2, 2), 0u);
    EXPECT_EQ(display.FillArea(9, 40, 40, 50, 50), S_OK);
    EXPECT_EQ(display.FillArea(9, 5, 5, 2, 8), E_INVALIDARG);

    // A one-pixel frame covers columns l..r and rows t..b, except the corner (r, b).
    display.ClearBackBuffer(0);
    EXPECT_EQ(display.DrawFrame(7, 10, 5, 20, 15, 1), S_OK);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 32; ++x) {
            const bool rows = (y == 5 || y == 15) && x >= 10 && x < 20;
            const bool cols = (x == 10 || x == 20) && y >= 5 && y < 15;
            ASSERT_EQ(Back(x, y), (rows || cols) ? 7u : 0u) << x << "," << y;
        }
    // A frame hanging off the buffer is drawn where it is on it.
    display.ClearBackBuffer(0);
    display.DrawFrame(7, -3, -3, 40, 30, 4);
    EXPECT_EQ(Back(5, 0), 7u);
    EXPECT_EQ(Back(0, 5), 7u);
    EXPECT_EQ(Back(5, 1), 0u);
    EXPECT_EQ(Back(31, 23), 0u);
}

TEST_F(Blit, PresentAndSurfaceLoss) {
    EXPECT_EQ(display.ShowBackBuffer(), E_POINTER);
    Create(RGB565, 20, 10);
    display.ClearBackBuffer(0xF800);
    ASSERT_EQ(display.ShowBackBuffer(), S_OK);
    EXPECT_EQ(platform.presentCount, 1);
    EXPECT_EQ(platform.lastFrameView.width, 20);
    EXPECT_EQ(platform.lastFrameView.height, 10);
    EXPECT_EQ(platform.lastFrameView.formatCode, RGB565);
    EXPECT_EQ(platform.lastFrameView.pitch, display.BackBuffer()->Pitch());
    EXPECT_EQ(platform.lastFrame[0], 0x00);
    EXPECT_EQ(platform.lastFrame[1], 0xF8);

    platform.loseNextPresent = true;
    EXPECT_EQ(display.ShowBackBuffer(), DDERR_SURFACELOST);
    display.InjectSurfaceLoss();
    EXPECT_EQ(display.ShowBackBuffer(), DDERR_SURFACELOST);
    EXPECT_EQ(display.ShowBackBuffer(), S_OK);

    // After a loss the display is made again; surfaces made before keep their pixels.
    auto kept = Surface(4, 4);
    kept->Fill(0x1234, false);
    display.InjectSurfaceLoss();
    ASSERT_EQ(display.CreateWindowedDisplay(1, 20, 10), S_OK);
    EXPECT_EQ(display.ShowBackBuffer(), S_OK); // a fresh display has no loss pending
    EXPECT_EQ(kept->GetPixelValue(3, 3), 0x1234u);
    EXPECT_EQ(display.DrawSurface(0, 0, kept.get(), nullptr, -1, -1), S_OK);

    EXPECT_EQ(display.RestoreAllSurfaces(), S_OK);
    display.ReleaseAll();
    EXPECT_EQ(display.ShowBackBuffer(), E_POINTER);
    EXPECT_EQ(display.RestoreAllSurfaces(), E_POINTER);
    EXPECT_EQ(display.CreateWindowedDisplay(1, 0, 10), E_FAIL);
}
