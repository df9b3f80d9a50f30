#include "DisplayFixture.h"
#include "imaging/BmpCodec.h"
#include "support/PictureFiles.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

// A 24-bit bitmap of one row.
Bytes Row24(const std::vector<std::uint32_t>& rgb) {
    return EncodeBmp24(ImageOf(static_cast<int>(rgb.size()), 1, rgb));
}

} // namespace

class SurfaceLoad : public DisplayFixture {
  protected:
    // The first pixel of a surface loaded from `name`, or ~0 when loading failed.
    std::uint32_t Load(const std::string& name, int* width = nullptr) {
        CSurface* s = reinterpret_cast<CSurface*>(0x1);
        const HRESULT hr = display.NewSurfaceFromBitmap(&s, name, 0, 0, false);
        if (hr != S_OK) {
            EXPECT_EQ(s, nullptr) << "a failed load leaves no dangling surface";
            return ~0u;
        }
        EXPECT_EQ(s->pixelFormat, display.Format());
        if (width) *width = s->desc.dwWidth;
        const std::uint32_t first = s->GetPixelValue(0, 0);
        delete s;
        return first;
    }
};

TEST_F(SurfaceLoad, NewSurfaceArguments) {
    CSurface* s = reinterpret_cast<CSurface*>(0x1);
    EXPECT_EQ(display.NewSurface(&s, 4, 4, false), E_POINTER); // no display yet
    Create(RGB32);
    EXPECT_EQ(display.NewSurface(nullptr, 4, 4, false), E_INVALIDARG);
    for (auto [w, h] : {std::pair{0, 4}, {4, 0}, {-1, 4}, {kMaxPictureSide + 1, 1}}) {
        s = reinterpret_cast<CSurface*>(0x1);
        EXPECT_NE(display.NewSurface(&s, w, h, false), S_OK);
        EXPECT_EQ(s, nullptr) << "a failed creation leaves no dangling surface";
    }
    // Painting never reads past the bitmap it is given.
    auto s4 = Surface(4, 2);
    const std::vector<std::uint32_t> bitmap = {1, 2, 3, 4};
    EXPECT_EQ(s4->PaintBitmap(bitmap, 3, 2, 0, 0, 0, 0), E_INVALIDARG); // fewer pixels than claimed
    EXPECT_EQ(s4->PaintBitmap(bitmap, 2, 2, 1, 1, 2, 1), E_INVALIDARG);
    EXPECT_EQ(s4->PaintBitmap(bitmap, 2, 2, -1, 0, 1, 1), E_INVALIDARG);
}

TEST_F(SurfaceLoad, ABitmapFileGivesASurfaceOfItsOwnSize) {
    Create(RGB32);
    const std::string path = dir.File("picture.bmp");
    WriteBytes(path, Row24({0xFF0000, 0xFF0000, 0xFF0000}));
    int width = 0;
    EXPECT_EQ(Load(path, &width), 0xFF0000u);
    EXPECT_EQ(width, 3) << "the bitmap's size, never the arguments";
    WriteBytes(path, {'B', 'M', 1, 2, 3});
    EXPECT_EQ(Load(path), ~0u);
    EXPECT_EQ(Load(dir.File("missing.bmp")), ~0u);
    CSurface* s = nullptr;
    EXPECT_EQ(display.NewSurfaceFromBitmap(&s, "", 0, 0, false), E_INVALIDARG);
}

TEST_F(SurfaceLoad, BitmapsConvertIntoEveryLayout) {
    WriteBytes(dir.File("true.bmp"), Row24({0xFC0408, 0xFFFFFF}));
    for (PixelFormatCode code : kDrawableFormats) {
        SCOPED_TRACE(code);
        Create(code);
        CSurface* s = nullptr;
        ASSERT_EQ(display.NewSurfaceFromBitmap(&s, dir.File("true.bmp"), 0, 0, false), S_OK);
        EXPECT_EQ(s->GetPixelValue(0, 0), RgbToPixel(code, 0xFC0408));
        // White stays the layout's white, so it can serve as the transparent colour.
        EXPECT_EQ(s->GetPixelValue(1, 0), ColourToPixel(code, RGB(255, 255, 255)));
        delete s;
    }
    EXPECT_EQ(RgbToPixel(RGB565, 0xFC0408), 0xF821u); // a 5-6-5 pixel survives unchanged
    EXPECT_EQ(RgbToPixel(RGB555, 0xFC0408), 0x7C01u); // green 4 is below 5-bit precision
}

// The loader makes surfaces while the main thread draws. Every surface and every frame must
// come out whole; a data race is left to the thread sanitizer run.
TEST_F(SurfaceLoad, SurfacesAreMadeWhileAnotherThreadDraws) {
    Create(RGB32, 128, 128);
    const std::string path = dir.File("piece.bmp");
    WriteBytes(path, Row24({0x123456, 0xFFFFFF}));
    auto piece = Surface(8, 8);
    piece->Fill(0xABCDEF, false);
    int wrongSurfaces = 0, wrongFrames = 0;
    std::thread loader([&] {
        for (int i = 0; i < 200; ++i) {
            CSurface* s = nullptr;
            if (display.NewSurfaceFromBitmap(&s, path, 0, 0, false) != S_OK || s->GetPixelValue(0, 0) != 0x123456u)
                ++wrongSurfaces;
            delete s;
        }
    });
    for (int frame = 0; frame < 50; ++frame) {
        display.ClearBackBuffer(0);
        for (int i = 0; i < 16; ++i)
            display.DrawSurface(i * 8, i * 8, piece.get(), nullptr, -1, -1);
        if (display.ShowBackBuffer() != S_OK || Back(127, 127) != 0xABCDEFu || Back(8, 0) != 0u) ++wrongFrames;
    }
    loader.join();
    EXPECT_EQ(wrongSurfaces, 0);
    EXPECT_EQ(wrongFrames, 0);
}
