#include "display/PixelFormat.h"
#include "DisplayFixture.h"

#include <gtest/gtest.h>

TEST(PixelFormat, ClassifiedByDepthAndGreenMask) {
    struct Case {
        int bits;
        std::uint32_t green;
        PixelFormatCode code;
    };
    // Only the green bits above the low five count.
    const Case cases[] = {
        {16, 0x3E0, RGB555},     {16, 0x3FF, RGB555},      {16, 0x7E0, RGB565}, {16, 0x7FF, RGB565},
        {16, 0x0F0, RGB16Other}, {16, 0xFC0, RGB16Other},  {24, 0xFF00, RGB24}, {32, 0xFF00, RGB32},
        {8, 0, OtherFormat},     {15, 0x3E0, OtherFormat},
    };
    for (const Case& c : cases) {
        PixelFormatDesc d;
        d.bitsPerPixel = c.bits;
        d.greenMask = c.green;
        EXPECT_EQ(ClassifyPixelFormat(d), c.code) << c.bits << " " << c.green;
    }
    for (PixelFormatCode code : {RGB555, RGB565, RGB16Other, RGB24, RGB32, OtherFormat})
        EXPECT_EQ(ClassifyPixelFormat(DescribePixelFormat(code)), code);
}

TEST(PixelFormat, ColoursCutToTheLayoutsBitsAndBack) {
    EXPECT_EQ(ColourToPixel(RGB555, RGB(255, 0, 0)), 0x7C00u);
    EXPECT_EQ(ColourToPixel(RGB32, RGB(255, 0, 0)), 0xFF0000u); // stored B, G, R: red is the high byte
    EXPECT_EQ(ColourToPixel(RGB565, RGB(0xFC, 0x04, 0x08)), 0xF821u);
    EXPECT_EQ(PixelToColour(RGB32, 0xAB123456), RGB(0x12, 0x34, 0x56));
    // Every 16-bit value survives the trip to a colour and back.
    for (PixelFormatCode code : {RGB555, RGB565, RGB16Other}) {
        const std::uint32_t limit = code == RGB555 ? 0x8000 : code == RGB16Other ? 0x1000 : 0x10000;
        for (std::uint32_t v = 0; v < limit; ++v)
            ASSERT_EQ(ColourToPixel(code, PixelToColour(code, v)), v) << code << " " << v;
    }
}

class DisplayFormat : public DisplayFixture {};

TEST_F(DisplayFormat, FollowsTheScreenUnlessForced) {
    // An 8-bit screen still gives a display, so the game can see it and refuse to run.
    for (PixelFormatCode code : {OtherFormat, RGB555, RGB565, RGB16Other, RGB24, RGB32}) {
        Create(code);
        auto probe = Surface(31, 3);
        ASSERT_TRUE(probe);
        EXPECT_EQ(probe->pixelFormat, code);
        EXPECT_EQ(display.BackBuffer()->pixelFormat, code);
        EXPECT_GE(probe->desc.lPitch, 31 * BytesPerPixel(code));
        EXPECT_EQ(probe->desc.lPitch % 4, 0);
    }
    // The screen is now 32-bit, which an unknown name leaves in place.
    for (const auto& [name, code] :
         {std::pair{"rgb555", RGB555}, {"rgb24", RGB24}, {"8", OtherFormat}, {"bogus", RGB32}}) {
        SetDisplayFormatVariable(name);
        ASSERT_EQ(display.CreateWindowedDisplay(1, 16, 16), S_OK);
        EXPECT_EQ(display.Format(), code) << name;
    }
}

TEST_F(DisplayFormat, MatchColourLeavesTheFirstPixelAlone) {
    for (PixelFormatCode code : kDrawableFormats) {
        Create(code);
        auto s = Surface(4, 4);
        const std::uint32_t first = 0x1234 & PixelValueMask(code);
        s->SetPixelValue(0, 0, first);
        EXPECT_EQ(s->MatchColour(RGB(255, 255, 255)), ColourToPixel(code, RGB(255, 255, 255))) << code;
        EXPECT_EQ(s->GetPixelValue(0, 0), first);
        // Without a colour, the answer is what the first pixel holds.
        EXPECT_EQ(s->MatchColour(CLR_INVALID), first);
        // A matched colour reads back as the same colour once cut to the layout's bits.
        s->SetPixelValue(1, 1, s->MatchColour(RGB(0x80, 0x40, 0x20)));
        EXPECT_EQ(s->GetPixelValue(1, 1), ColourToPixel(code, s->GetPixelColour(1, 1)));
    }
    CSurface empty;
    EXPECT_EQ(empty.MatchColour(RGB(1, 2, 3)), 0u);
    EXPECT_EQ(empty.SetTransparentColour(RGB(1, 2, 3)), E_POINTER);
    EXPECT_EQ(empty.Fill(0, false), E_POINTER);
}
