#include "BmpBytes.h"
#include "DisplayFixture.h"
#include "display/BitmapResources.h"
#include "imaging/BmpCodec.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <thread>

namespace {

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A 24-bit bitmap of one row.
std::vector<std::uint8_t> Row24(const std::vector<std::uint32_t>& rgb) {
    DecodedImage image;
    image.width = static_cast<int>(rgb.size());
    image.height = 1;
    image.pixels = rgb;
    return EncodeBmp24(image);
}

} // namespace

class SurfaceLoad : public DisplayFixture {};

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
    ASSERT_EQ(display.NewSurface(&s, 5, 3, true), S_OK);
    EXPECT_EQ(s->desc.dwWidth, 5);
    EXPECT_EQ(s->desc.dwHeight, 3);
    EXPECT_EQ(s->desc.lPitch, 20);
    EXPECT_EQ(s->transparent, 0);
    delete s;
}

TEST_F(SurfaceLoad, ResourceFirstThenFile) {
    Create(RGB32);
    const std::string path = dir.File("picture.bmp");
    WriteFile(path, Row24({0xFF0000, 0xFF0000, 0xFF0000}));

    CSurface* s = nullptr;
    ASSERT_EQ(display.NewSurfaceFromBitmap(&s, path, 0, 0, false), S_OK);
    EXPECT_EQ(s->GetPixelValue(0, 0), 0xFF0000u);
    EXPECT_EQ(s->desc.dwWidth, 3);
    delete s;

    RegisterBitmapResource(path, Row24({0x0000FF}));
    ASSERT_EQ(display.NewSurfaceFromBitmap(&s, path, -1, -1, false), S_OK);
    EXPECT_EQ(s->GetPixelValue(0, 0), 0x0000FFu);
    EXPECT_EQ(s->desc.dwWidth, 1); // the bitmap's size, never the arguments
    delete s;

    // A broken resource falls back to the file.
    RegisterBitmapResource(path, {'B', 'M', 1, 2, 3});
    ASSERT_EQ(display.NewSurfaceFromBitmap(&s, path, 0, 0, false), S_OK);
    EXPECT_EQ(s->GetPixelValue(0, 0), 0xFF0000u);
    delete s;
    UnregisterBitmapResource(path);

    RegisterBitmapResource("SELECTOR", Row24({0x00FF00}));
    ASSERT_EQ(display.NewSurfaceFromBitmap(&s, "selector", 0, 0, false), S_OK);
    EXPECT_EQ(s->GetPixelValue(0, 0), 0x00FF00u);
    delete s;
    UnregisterBitmapResource("SELECTOR");

    s = reinterpret_cast<CSurface*>(0x1);
    EXPECT_EQ(display.NewSurfaceFromBitmap(&s, dir.File("missing.bmp"), 0, 0, false), E_FAIL);
    EXPECT_EQ(s, nullptr);
    WriteFile(dir.File("bad.bmp"), {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F, 40, 0, 0, 0});
    EXPECT_EQ(display.NewSurfaceFromBitmap(&s, dir.File("bad.bmp"), 0, 0, false), E_FAIL);
    EXPECT_EQ(display.NewSurfaceFromBitmap(&s, "", 0, 0, false), E_INVALIDARG);
    CDisplay none;
    EXPECT_EQ(none.NewSurfaceFromBitmap(&s, path, 0, 0, false), E_INVALIDARG);
}

TEST_F(SurfaceLoad, BitmapsConvertIntoEveryLayout) {
    const std::string truePath = dir.File("true.bmp"), palPath = dir.File("pal.bmp"),
                      p565 = dir.File("565.bmp");
    WriteFile(truePath, Row24({0xFC0408, 0xFFFFFF, 0x000000}));
    BmpSpec pal;
    pal.bits = 8;
    pal.width = 2;
    pal.height = 1;
    pal.palette = {0xFFFFFF, 0xFC0408};
    pal.pixelData = {1, 0, 0, 0};
    WriteFile(palPath, MakeBmp(pal));
    BmpSpec bf;
    bf.bits = 16;
    bf.compression = 3;
    bf.masks = {0xF800, 0x07E0, 0x001F};
    bf.width = 1;
    bf.height = 1;
    bf.pixelData = {0x21, 0xF8, 0, 0}; // 0xF821
    WriteFile(p565, MakeBmp(bf));

    for (PixelFormatCode code : kDrawableFormats) {
        Create(code);
        const std::uint32_t expected = RgbToPixel(code, 0xFC0408);
        for (const std::string& path : {truePath, palPath}) {
            CSurface* s = nullptr;
            ASSERT_EQ(display.NewSurfaceFromBitmap(&s, path, 0, 0, false), S_OK) << path;
            EXPECT_EQ(s->pixelFormat, code);
            EXPECT_EQ(s->GetPixelValue(0, 0), expected) << code << " " << path;
            EXPECT_EQ(s->GetPixelValue(1, 0), s->MatchColour(RGB(255, 255, 255))) << code;
            delete s;
        }
        CSurface* s = nullptr;
        ASSERT_EQ(display.NewSurfaceFromBitmap(&s, p565, 0, 0, false), S_OK);
        if (code == RGB565) {
            EXPECT_EQ(s->GetPixelValue(0, 0), 0xF821u); // survives unchanged
        }
        delete s;
    }
    EXPECT_EQ(RgbToPixel(RGB565, 0xFC0408), 0xF821u);
    EXPECT_EQ(RgbToPixel(RGB555, 0xFC0408), 0x7C01u); // green 4 is below 5-bit precision
}

TEST_F(SurfaceLoad, PaintBitmapStretchesAndRefusesBadRectangles) {
    Create(RGB32);
    auto s = Surface(4, 2);
    const std::vector<std::uint32_t> bitmap = {1, 2, 3, 4};
    ASSERT_EQ(s->PaintBitmap(bitmap, 2, 2, 0, 0, 0, 0), S_OK);
    EXPECT_EQ(s->GetPixelValue(0, 0), 1u);
    EXPECT_EQ(s->GetPixelValue(1, 0), 1u);
    EXPECT_EQ(s->GetPixelValue(2, 0), 2u);
    EXPECT_EQ(s->GetPixelValue(3, 1), 4u);
    ASSERT_EQ(s->PaintBitmap(bitmap, 2, 2, 1, 1, 1, 1), S_OK);
    EXPECT_EQ(s->GetPixelValue(0, 0), 4u);
    EXPECT_EQ(s->PaintBitmap(bitmap, 2, 2, 1, 1, 2, 1), E_INVALIDARG);
    EXPECT_EQ(s->PaintBitmap(bitmap, 3, 2, 0, 0, 0, 0), E_INVALIDARG); // fewer pixels than claimed
    EXPECT_EQ(s->PaintBitmap(bitmap, 2, 2, -1, 0, 1, 1), E_INVALIDARG);
}

TEST_F(SurfaceLoad, SurfacesAreMadeWhileAnotherThreadDraws) {
    Create(RGB32, 128, 128);
    RegisterBitmapResource("piece", Row24({0x123456, 0xFFFFFF}));
    auto piece = Surface(32, 32);
    piece->Fill(RGB(255, 255, 255), true);
    piece->SetTransparentColour(RGB(255, 255, 255));
    std::atomic<bool> done{false};
    std::thread loader([&] {
        for (int i = 0; i < 200; ++i) {
            CSurface* s = nullptr;
            if (display.NewSurfaceFromBitmap(&s, "piece", 0, 0, false) == S_OK) {
                s->SetTransparentColour(RGB(255, 255, 255));
                delete s;
            }
            if (display.NewSurface(&s, 64, 64, false) == S_OK) {
                s->Fill(RGB(1, 2, 3), true);
                delete s;
            }
        }
        done = true;
    });
    int frames = 0;
    while (!done || frames < 10) {
        display.ClearBackBuffer(0);
        for (int i = 0; i < 16; ++i)
            display.DrawSurface(i * 8, i * 8, piece.get(), nullptr, -1, -1);
        display.ShowBackBuffer();
        ++frames;
    }
    loader.join();
    UnregisterBitmapResource("piece");
    EXPECT_EQ(Back(0, 0), 0u);
}
