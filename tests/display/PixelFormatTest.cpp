#include "display/PixelFormat.h"
#include "DisplayFixture.h"

#include <gtest/gtest.h>

TEST(PixelFormat, ClassifiedByDepthAndGreenMaskAndColoursCutToTheLayoutsBits) {
    // Only the green bits above the low five count.
    const std::tuple<int, std::uint32_t, PixelFormatCode> cases[] = {
        {16, 0x3E0, RGB555},     {16, 0x3FF, RGB555},     {16, 0x7E0, RGB565}, {16, 0x7FF, RGB565},
        {16, 0x0F0, RGB16Other}, {16, 0xFC0, RGB16Other}, {24, 0xFF00, RGB24}, {32, 0xFF00, RGB32},
        {8, 0, OtherFormat},     {15, 0x3E0, OtherFormat}};
    for (auto [bits, green, code] : cases) {
        PixelFormatDesc d;
        d.bitsPerPixel = bits;
        d.greenMask = green;
        EXPECT_EQ(ClassifyPixelFormat(d), code) << bits << " " << green;
    }
    // Stored B, G, R: red is the high byte.
    EXPECT_EQ((Pixels{ColourToPixel(RGB555, RGB(255, 0, 0)), ColourToPixel(RGB32, RGB(255, 0, 0)),
                      ColourToPixel(RGB565, RGB(0xFC, 0x04, 0x08)), PixelToColour(RGB32, 0xAB123456)}),
              (Pixels{0x7C00, 0xFF0000, 0xF821, RGB(0x12, 0x34, 0x56)}));
    // Every 16-bit value survives the trip to a colour and back.
    for (PixelFormatCode code : {RGB555, RGB565, RGB16Other}) {
        const std::uint32_t limit = code == RGB555 ? 0x8000 : code == RGB16Other ? 0x1000 : 0x10000;
        for (std::uint32_t v = 0; v < limit; ++v)
            ASSERT_EQ(ColourToPixel(code, PixelToColour(code, v)), v) << code << " " << v;
    }
}

class DisplayFormat : public DisplayFixture {};

TEST_F(DisplayFormat, FollowsTheScreenUnlessForcedAndMatchColourLeavesTheFirstPixelAlone) {
    // An 8-bit screen still gives a display, so the game can see it and refuse to run.
    for (PixelFormatCode code : {OtherFormat, RGB555, RGB565, RGB16Other, RGB24, RGB32}) {
        Create(code);
        auto probe = Surface(31, 3);
        ASSERT_TRUE(probe);
        EXPECT_EQ(std::pair(probe->pixelFormat, display.BackBuffer()->pixelFormat), std::pair(code, code));
        EXPECT_TRUE(probe->desc.lPitch >= 31 * BytesPerPixel(code) && probe->desc.lPitch % 4 == 0) << code;
    }
    // The screen is now 32-bit, which an unknown name leaves in place.
    for (const auto& [name, code] :
         {std::pair{"rgb555", RGB555}, {"rgb24", RGB24}, {"8", OtherFormat}, {"bogus", RGB32}}) {
        SetDisplayFormatVariable(name);
        ASSERT_EQ(display.CreateWindowedDisplay(1, 16, 16), S_OK);
        EXPECT_EQ(display.Format(), code) << name;
    }
    for (PixelFormatCode code : kDrawableFormats) {
        Create(code);
        auto s = Surface(4, 4);
        const std::uint32_t first = 0x1234 & PixelValueMask(code);
        s->SetPixelValue(0, 0, first);
        // Without a colour, the answer is what the first pixel holds.
        EXPECT_EQ(
            (Pixels{s->MatchColour(RGB(255, 255, 255)), s->GetPixelValue(0, 0), s->MatchColour(CLR_INVALID)}),
            (Pixels{ColourToPixel(code, RGB(255, 255, 255)), first, first}))
            << code;
        // A matched colour reads back as the same colour once cut to the layout's bits.
        s->SetPixelValue(1, 1, s->MatchColour(RGB(0x80, 0x40, 0x20)));
        EXPECT_EQ(s->GetPixelValue(1, 1), ColourToPixel(code, s->GetPixelColour(1, 1)));
    }
    CSurface empty;
    EXPECT_EQ(std::tuple(empty.MatchColour(RGB(1, 2, 3)), empty.SetTransparentColour(RGB(1, 2, 3)),
                         empty.Fill(0, false)),
              std::tuple(0u, E_POINTER, E_POINTER));
}
