#pragma once
// A display over the scripted platform, created in any layout.
#include "display/CDisplay.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

inline void SetDisplayFormatVariable(const char* value) {
#ifdef _WIN32
    _putenv_s("PICTORRA_DISPLAY_FORMAT", value ? value : "");
#else
    value ? setenv("PICTORRA_DISPLAY_FORMAT", value, 1) : unsetenv("PICTORRA_DISPLAY_FORMAT");
#endif
}

using Pixels = std::vector<std::uint32_t>;

class DisplayFixture : public ::testing::Test {
  protected:
    DisplayFixture() {
        SetDisplayFormatVariable(nullptr);
        SetPlatform(&platform);
    }
    ~DisplayFixture() override {
        display.ReleaseAll();
        SetDisplayFormatVariable(nullptr);
        SetPlatform(nullptr);
    }
    // Sets the screen to `code`'s depth and masks (RGB16Other is 4-4-4) and makes the display.
    void Create(PixelFormatCode code, int w = 64, int h = 48) {
        const PixelFormatDesc d = DescribePixelFormat(code);
        platform.screen.bitsPerPixel = d.bitsPerPixel;
        platform.screen.redMask = d.redMask, platform.screen.greenMask = d.greenMask;
        platform.screen.blueMask = d.blueMask;
        ASSERT_EQ(display.CreateWindowedDisplay(1, w, h), S_OK);
        ASSERT_EQ(display.Format(), code);
    }
    std::unique_ptr<CSurface> Surface(int w, int h) {
        CSurface* s = nullptr;
        EXPECT_EQ(display.NewSurface(&s, w, h, false), S_OK);
        return std::unique_ptr<CSurface>(s);
    }
    std::uint32_t Back(int x, int y) { return display.BackBuffer()->GetPixelValue(x, y); }
    Pixels Back(std::initializer_list<POINT> points) {
        Pixels out;
        for (POINT p : points)
            out.push_back(Back(p.x, p.y));
        return out;
    }
    TempDir dir;
    ScriptedPlatform platform{dir.Str()};
    CDisplay display;
};

constexpr PixelFormatCode kDrawableFormats[] = {RGB555, RGB565, RGB16Other, RGB24, RGB32};
