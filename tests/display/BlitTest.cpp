#include "DisplayFixture.h"

#include <gtest/gtest.h>

#include <climits>

class Blit : public DisplayFixture {};

TEST_F(Blit, OffscreenDestinationsAreSkippedAndEdgesClipped) {
    Create(RGB32, 64, 48);
    auto s = Surface(8, 8);
    ASSERT_EQ(s->Fill(0xABCDEF, false), S_OK);
    // Wholly outside (touching counts), at int's extremes, over each edge: only the part on it drawn.
    const int cases[][3] = {
        {-9, 10, 0},         {-8, 10, 0},         {64, 10, 0},         {10, -8, 0},         {10, 48, 0},
        {INT_MIN + 4, 0, 0}, {INT_MAX - 4, 0, 0}, {0, INT_MIN + 4, 0}, {0, INT_MAX - 4, 0}, {-5, 10, 24},
        {61, 10, 24},        {10, -7, 8},         {10, 47, 8},         {-4, -4, 16},        {60, 44, 16}};
    for (const auto& c : cases) {
        display.ClearBackBuffer(0);
        EXPECT_EQ(display.DrawSurface(c[0], c[1], s.get(), nullptr, -1, -1), S_OK);
        int drawn = 0;
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x)
                drawn += Back(x, y) == 0xABCDEFu;
        EXPECT_EQ(drawn, c[2]) << c[0] << "," << c[1];
    }
    EXPECT_EQ(Back({{63, 47}, {59, 47}}), (Pixels{0xABCDEF, 0})); // the last case, over the corner
}

TEST_F(Blit, ColourKeyInEveryLayout) {
    for (PixelFormatCode code : kDrawableFormats) {
        Create(code, 40, 8);
        const std::uint32_t white = ColourToPixel(code, RGB(255, 255, 255)),
                            back = ColourToPixel(code, RGB(0, 255, 0));
        // Odd widths reach every tail of the row loops.
        for (int width : {1, 3, 4, 7, 9, 17, 33}) {
            SCOPED_TRACE(testing::Message() << code << " w" << width);
            auto s = Surface(width, 2);
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < width; ++x)
                    s->SetPixelValue(x, y,
                                     (x * 5 + y) % 3 == 0 ? white : ColourToPixel(code, RGB(x * 7, y, 9)));
            ASSERT_EQ(s->SetTransparentColour(RGB(255, 255, 255)), S_OK);
            for (bool keyed : {true, false}) {
                s->transparent = keyed;
                display.ClearBackBuffer(back);
                ASSERT_EQ(display.DrawSurface(3, 2, s.get(), nullptr, -1, -1), S_OK);
                for (int y = 0; y < 2; ++y)
                    for (int x = 0; x < width; ++x) {
                        const std::uint32_t p = s->GetPixelValue(x, y);
                        ASSERT_EQ(Back(3 + x, 2 + y), keyed && p == white ? back : p) << x << "," << y;
                    }
                EXPECT_EQ(Back({{2, 2}, {3 + width, 2}}), (Pixels{back, back}));
            }
        }
    }
    // The spare byte of 32-bit pixels is not part of the key.
    auto s = Surface(2, 1);
    s->SetPixelValue(0, 0, 0xFFFFFFFF);
    s->SetPixelValue(1, 0, 0x00123456);
    s->SetTransparentColour(RGB(255, 255, 255));
    display.ClearBackBuffer(7);
    display.DrawSurface(0, 0, s.get(), nullptr, -1, -1);
    EXPECT_EQ(Back({{0, 0}, {1, 0}}), (Pixels{7, 0x123456}));
}

TEST_F(Blit, StretchedBlitsBadArgumentsFillsFramesAndPresenting) {
    for (PixelFormatCode code : kDrawableFormats) {
        SCOPED_TRACE(code);
        Create(code, 32, 32);
        auto s = Surface(2, 2);
        const std::uint32_t c[4] = {ColourToPixel(code, RGB(255, 0, 0)), ColourToPixel(code, RGB(0, 255, 0)),
                                    ColourToPixel(code, RGB(0, 0, 255)),
                                    ColourToPixel(code, RGB(255, 255, 0))};
        for (int i = 0; i < 4; ++i)
            s->SetPixelValue(i % 2, i / 2, c[i]);
        display.ClearBackBuffer(0);
        ASSERT_EQ(display.DrawSurface(4, 4, s.get(), nullptr, 4, 6), S_OK);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(Back(4 + x, 4 + y), x < 4 && y < 6 ? c[(y / 3) * 2 + x / 2] : 0u) << x << "," << y;
        // Stretched past the left edge: the clipped part keeps its place in the picture.
        display.ClearBackBuffer(0);
        display.DrawSurface(-4, 0, s.get(), nullptr, 8, 2);
        EXPECT_EQ(Back({{0, 0}, {3, 0}, {4, 0}}), (Pixels{c[1], c[1], 0}));
    }
    // Shrinking takes the pixel under each destination pixel's centre.
    Create(RGB32, 8, 8);
    auto big = Surface(4, 4);
    for (int i = 0; i < 16; ++i)
        big->SetPixelValue(i % 4, i / 4, static_cast<std::uint32_t>(i));
    display.DrawSurface(0, 0, big.get(), nullptr, 2, 2);
    EXPECT_EQ(Back({{0, 0}, {1, 0}, {0, 1}, {1, 1}}), (Pixels{5, 7, 13, 15}));
    // Source rectangles beyond the surface or inside out are refused, not read.
    const RECT outside{2, 2, 5, 5}, inverted{3, 3, 1, 1};
    CDisplay empty;
    EXPECT_EQ((std::vector<HRESULT>{
                  display.DrawSurface(0, 0, big.get(), &outside, -1, -1),
                  display.DrawSurface(5, 5, big.get(), &inverted, -1, -1),
                  display.DrawSurface(5, 0, big.get(), nullptr, -1, 4),
                  display.DrawRaw(0, 0, display.BackBuffer(), RECT{0, 0, 2, 2}, -1, -1, false),
                  empty.DrawSurface(0, 0, big.get(), nullptr, -1, -1), empty.FillArea(0, 0, 0, 1, 1)}),
              (std::vector<HRESULT>{E_INVALIDARG, E_INVALIDARG, E_INVALIDARG, E_FAIL, E_POINTER, E_POINTER}));
    Create(RGB24, 32, 24);
    ASSERT_EQ(display.ClearBackBuffer(0x123456), S_OK);
    std::int32_t pitch = 0;
    const std::uint8_t* bytes = display.BackBuffer()->Lock(&pitch) + pitch * 23 + 31 * 3;
    EXPECT_EQ(std::pair(bytes[0], bytes[2]), std::pair(std::uint8_t{0x56}, std::uint8_t{0x12})); // B, G, R
    display.BackBuffer()->Unlock();
    display.ClearBackBuffer(0);
    EXPECT_EQ(std::tuple(display.FillArea(9, -5, -5, 3, 2), display.FillArea(9, 40, 40, 50, 50),
                         display.FillArea(9, 5, 5, 2, 8)),
              std::tuple(S_OK, S_OK, E_INVALIDARG));
    EXPECT_EQ(Back({{2, 1}, {3, 1}, {2, 2}}), (Pixels{9, 0, 0}));
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
    EXPECT_EQ(Back({{5, 0}, {5, 1}, {31, 23}}), (Pixels{7, 0, 0}));
    // A lost frame and its redrawing are the whole-game load test's business.
    Create(RGB565, 20, 10);
    display.ClearBackBuffer(0xF800);
    ASSERT_EQ(display.ShowBackBuffer(), S_OK);
    EXPECT_EQ(
        std::tuple(platform.lastFrameView.formatCode, platform.lastFrameView.pitch, platform.lastFrame[1]),
        std::tuple(RGB565, display.BackBuffer()->Pitch(), std::uint8_t{0xF8}));
    // A display made again still draws the surfaces made before it, their pixels kept.
    auto kept = Surface(4, 4);
    kept->Fill(0x1234, false);
    ASSERT_EQ(display.CreateWindowedDisplay(1, 20, 10), S_OK);
    EXPECT_EQ(std::pair(kept->GetPixelValue(3, 3), display.DrawSurface(0, 0, kept.get(), nullptr, -1, -1)),
              std::pair(0x1234u, S_OK));
    display.ReleaseAll();
    EXPECT_EQ(std::tuple(display.ShowBackBuffer(), display.RestoreAllSurfaces(),
                         display.CreateWindowedDisplay(1, 0, 10)),
              std::tuple(E_POINTER, E_POINTER, E_FAIL));
}
