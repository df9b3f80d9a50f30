#pragma once
// A display over the scripted platform, created in any layout.
#include "display/CDisplay.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

inline void SetDisplayFormatVariable(const char* value) {
#ifdef _WIN32
    _putenv_s("PICTORRA_DISPLAY_FORMAT", value ? value : "");
#else
    if (value)
        setenv("PICTORRA_DISPLAY_FORMAT", value, 1);
    else
        unsetenv("PICTORRA_DISPLAY_FORMAT");
#endif
}

// The screen a platform reports for each layout.
inline ScreenInfo ScreenFor(PixelFormatCode code) {
    ScreenInfo s;
    switch (code) {
    case RGB555:
        s.bitsPerPixel = 16, s.redMask = 0x7C00, s.greenMask = 0x03E0, s.blueMask = 0x001F;
        break;
    case RGB565:
        s.bitsPerPixel = 16, s.redMask = 0xF800, s.greenMask = 0x07E0, s.blueMask = 0x001F;
        break;
    case RGB16Other:
        s.bitsPerPixel = 16, s.redMask = 0x0F00, s.greenMask = 0x00F0, s.blueMask = 0x000F;
        break;
    case RGB24:
        s.bitsPerPixel = 24;
        break;
    case RGB32:
        s.bitsPerPixel = 32;
        break;
    case OtherFormat:
        s.bitsPerPixel = 8;
        break;
    }
    return s;
}

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

    void Create(PixelFormatCode code, int w = 64, int h = 48) {
        platform.screen = ScreenFor(code);
        ASSERT_EQ(display.CreateWindowedDisplay(1, w, h), S_OK);
        ASSERT_EQ(display.Format(), code);
    }

    std::unique_ptr<CSurface> Surface(int w, int h) {
        CSurface* s = nullptr;
        EXPECT_EQ(display.NewSurface(&s, w, h, false), S_OK);
        return std::unique_ptr<CSurface>(s);
    }

    std::uint32_t Back(int x, int y) { return display.BackBuffer()->GetPixelValue(x, y); }

    TempDir dir;
    ScriptedPlatform platform{dir.Str()};
    CDisplay display;
};

constexpr PixelFormatCode kDrawableFormats[] = {RGB555, RGB565, RGB16Other, RGB24, RGB32};
