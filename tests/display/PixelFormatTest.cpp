#include "display/PixelFormat.h"
#include "DisplayFixture.h"

#include <gtest/gtest.h>

TEST(PixelFormat, ClassifiedByDepthAndGreenMask) {
    auto classify = [](int bits, std::uint32_t green) {
        PixelFormatDesc d;
        d.bitsPerPixel = bits;
        d.greenMask = green;
        return ClassifyPixelFormat(d);
    };
    EXPECT_EQ(classify(16, 0x3E0), RGB555);
    EXPECT_EQ(classify(16, 0x7E0), RGB565);
    // Only the bits above the low five count.
    EXPECT_EQ(classify(16, 0x3FF), RGB555);
    EXPECT_EQ(classify(16, 0x7FF), RGB565);
    EXPECT_EQ(classify(16, 0x0F0), RGB16Other);
    EXPECT_EQ(classify(16, 0xFC0), RGB16Other);
    EXPECT_EQ(classify(24, 0xFF00), RGB24);
    EXPECT_EQ(classify(32, 0xFF00), RGB32);
    EXPECT_EQ(classify(8, 0), OtherFormat);
    EXPECT_EQ(classify(15, 0x3E0), OtherFormat);

    for (PixelFormatCode code : {RGB555, RGB565, RGB16Other, RGB24, RGB32, OtherFormat})
        EXPECT_EQ(ClassifyPixelFormat(DescribePixelFormat(code)), code);
    EXPECT_EQ(BitsPerPixel(RGB555), 16);
    EXPECT_EQ(BitsPerPixel(RGB16Other), 16);
    EXPECT_EQ(BitsPerPixel(RGB24), 24);
    EXPECT_EQ(BitsPerPixel(RGB32), 32);
    EXPECT_EQ(BitsPerPixel(OtherFormat), 8);
}

TEST(PixelFormat, ColoursCutToTheLayoutsBits) {
    const COLORREF white = RGB(255, 255, 255), red = RGB(255, 0, 0), green = RGB(0, 255, 0);
    EXPECT_EQ(ColourToPixel(RGB565, white), 0xFFFFu);
    EXPECT_EQ(ColourToPixel(RGB555, white), 0x7FFFu);
    EXPECT_EQ(ColourToPixel(RGB24, white), 0xFFFFFFu);
    EXPECT_EQ(ColourToPixel(RGB32, white), 0xFFFFFFu);
    EXPECT_EQ(ColourToPixel(RGB565, red), 0xF800u);
    EXPECT_EQ(ColourToPixel(RGB555, red), 0x7C00u);
    EXPECT_EQ(ColourToPixel(RGB565, green), 0x07E0u);
    EXPECT_EQ(ColourToPixel(RGB32, red), 0xFF0000u); // stored B, G, R: red is the high byte
    // The low bits of each channel are dropped, as a 16-bit display does.
    EXPECT_EQ(ColourToPixel(RGB565, RGB(0xFC, 0x04, 0x08)), 0xF821u);
    EXPECT_EQ(ColourToPixel(RGB565, RGB(7, 3, 7)), 0u);

    // Every 16-bit value survives the trip to a colour and back.
    for (PixelFormatCode code : {RGB555, RGB565, RGB16Other}) {
        const std::uint32_t limit = code == RGB555 ? 0x8000 : code == RGB16Other ? 0x1000 : 0x10000;
        for (std::uint32_t v = 0; v < limit; ++v)
            ASSERT_EQ(ColourToPixel(code, PixelToColour(code, v)), v) << code << " " << v;
    }
    EXPECT_EQ(PixelToColour(RGB565, 0xFFFF), white);
    EXPECT_EQ(PixelToColour(RGB555, 0x7FFF), white);
    EXPECT_EQ(PixelToColour(RGB32, 0xAB123456), RGB(0x12, 0x34, 0x56));
}

class DisplayFormat : public DisplayFixture {};

TEST_F(DisplayFormat, FollowsTheScreenUnlessForced) {
    for (PixelFormatCode code : {RGB555, RGB565, RGB16Other, RGB24, RGB32, OtherFormat}) {
        Create(code);
        auto probe = Surface(32, 32);
        ASSERT_TRUE(probe);
        EXPECT_EQ(probe->pixelFormat, code);
        EXPECT_EQ(display.BackBuffer()->pixelFormat, code);
        EXPECT_EQ(probe->BitsPerPixel(), BitsPerPixel(code));
        EXPECT_GE(probe->desc.lPitch, 32 * BytesPerPixel(code));
        EXPECT_EQ(probe->desc.lPitch % 4, 0);
    }
    // An 8-bit screen still gives a display, so the game can see it and refuse to run.
    platform.screen = ScreenFor(OtherFormat);
    ASSERT_EQ(display.CreateWindowedDisplay(1, 32, 32), S_OK);
    EXPECT_EQ(Surface(32, 32)->BitsPerPixel(), 8);

    platform.screen = ScreenFor(RGB32);
    const std::pair<const char*, PixelFormatCode> forced[] = {
        {"rgb555", RGB555}, {"rgb565", RGB565}, {"rgb24", RGB24}, {"rgb32", RGB32}, {"8", OtherFormat}};
    for (const auto& [name, code] : forced) {
        SetDisplayFormatVariable(name);
        ASSERT_EQ(display.CreateWindowedDisplay(1, 16, 16), S_OK);
        EXPECT_EQ(display.Format(), code) << name;
    }
    SetDisplayFormatVariable("bogus");
    ASSERT_EQ(display.CreateWindowedDisplay(1, 16, 16), S_OK);
    EXPECT_EQ(display.Format(), RGB32);
}

TEST_F(DisplayFormat, MatchColourLeavesTheFirstPixelAlone) {
    for (PixelFormatCode code : kDrawableFormats) {
        Create(code);
        auto s = Surface(4, 4);
        s->SetPixelValue(0, 0, 0x1234 & PixelValueMask(code));
        const std::uint32_t white = s->MatchColour(RGB(255, 255, 255));
        EXPECT_EQ(white, ColourToPixel(code, RGB(255, 255, 255))) << code;
        EXPECT_EQ(s->GetPixelValue(0, 0), 0x1234u & PixelValueMask(code));
        // Without a colour, the answer is what the first pixel holds.
        EXPECT_EQ(s->MatchColour(CLR_INVALID), 0x1234u & PixelValueMask(code));
        // A matched colour reads back as the same colour once cut to the layout's bits.
        s->SetPixelValue(1, 1, s->MatchColour(RGB(0x80, 0x40, 0x20)));
        EXPECT_EQ(s->GetPixelValue(1, 1), ColourToPixel(code, s->GetPixelColour(1, 1)));
    }
    CSurface empty;
    EXPECT_EQ(empty.MatchColour(RGB(1, 2, 3)), 0u);
    EXPECT_EQ(empty.SetTransparentColour(RGB(1, 2, 3)), E_POINTER);
    EXPECT_EQ(empty.Fill(0, false), E_POINTER);
    std::int32_t pitch = -1;
    EXPECT_EQ(empty.Lock(&pitch), nullptr);
}
