#include "DisplayFixture.h"
#include "imaging/BmpCodec.h"
#include "support/PictureFiles.h"

#include <gtest/gtest.h>

class SurfaceLoad : public DisplayFixture {
  protected:
    // The first pixel and width of a surface loaded from `bytes`, or {~0, 0} when loading failed.
    std::pair<std::uint32_t, int> Load(const Bytes& bytes) {
        WriteBytes(dir.File("picture.bmp"), bytes);
        CSurface* s = reinterpret_cast<CSurface*>(0x1);
        if (display.NewSurfaceFromBitmap(&s, dir.File("picture.bmp"), 0, 0, false) != S_OK) {
            EXPECT_EQ(s, nullptr) << "a failed load leaves no dangling surface";
            return {~0u, 0};
        }
        EXPECT_EQ(s->pixelFormat, display.Format());
        const std::pair<std::uint32_t, int> out(s->GetPixelValue(0, 0), s->desc.dwWidth);
        delete s;
        return out;
    }
    static Bytes Row24(const Pixels& rgb) {
        return EncodeBmp24(ImageOf(static_cast<int>(rgb.size()), 1, rgb));
    }
};

TEST_F(SurfaceLoad, NewSurfaceArgumentsAndBitmapsInEveryLayout) {
    CSurface* s = reinterpret_cast<CSurface*>(0x1);
    EXPECT_EQ(display.NewSurface(&s, 4, 4, false), E_POINTER); // no display yet
    Create(RGB32);
    EXPECT_EQ(display.NewSurface(nullptr, 4, 4, false), E_INVALIDARG);
    for (auto [w, h] : {std::pair{0, 4}, {4, 0}, {-1, 4}, {kMaxPictureSide + 1, 1}}) {
        s = reinterpret_cast<CSurface*>(0x1);
        EXPECT_NE(display.NewSurface(&s, w, h, false), S_OK);
        EXPECT_EQ(s, nullptr) << "a failed creation leaves no dangling surface";
    }
    // Painting never reads past the bitmap it is given (fewer pixels than claimed, or outside).
    auto s4 = Surface(4, 2);
    const Pixels bitmap = {1, 2, 3, 4};
    EXPECT_EQ(std::tuple(s4->PaintBitmap(bitmap, 3, 2, 0, 0, 0, 0), s4->PaintBitmap(bitmap, 2, 2, 1, 1, 2, 1),
                         s4->PaintBitmap(bitmap, 2, 2, -1, 0, 1, 1)),
              std::tuple(E_INVALIDARG, E_INVALIDARG, E_INVALIDARG));
    for (PixelFormatCode code : kDrawableFormats) {
        Create(code);
        // The bitmap's own size; white stays the layout's white, to serve as the transparent colour.
        EXPECT_EQ(Load(Row24({0xFC0408, 0xFFFFFF, 0})), std::pair(RgbToPixel(code, 0xFC0408), 3)) << code;
        EXPECT_EQ(Load(Row24({0xFFFFFF})).first, ColourToPixel(code, RGB(255, 255, 255))) << code;
    }
    EXPECT_EQ(RgbToPixel(RGB565, 0xFC0408), 0xF821u); // a 5-6-5 pixel survives unchanged
    EXPECT_EQ(RgbToPixel(RGB555, 0xFC0408), 0x7C01u); // green 4 is below 5-bit precision
    EXPECT_EQ(Load({'B', 'M', 1, 2, 3}).first, ~0u);
    s = nullptr;
    EXPECT_EQ(display.NewSurfaceFromBitmap(&s, dir.File("missing.bmp"), 0, 0, false), E_FAIL);
    EXPECT_EQ(display.NewSurfaceFromBitmap(&s, "", 0, 0, false), E_INVALIDARG);
}
