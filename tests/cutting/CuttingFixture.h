#pragma once
// A display in a chosen pixel layout, a side list, a mask cache and a log in a scratch
// folder, for the cutting tests. Globals are put back afterwards.
#include "app/Globals.h"
#include "app/Log.h"
#include "cutting/CMaskCache.h"
#include "cutting/CSideList.h"
#include "display/CDisplay.h"
#include "platform/Platform.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

// A blank surface of the given size in one pixel layout, for pixel-level checks.
inline std::unique_ptr<CSurface> SurfaceIn(PixelFormatCode format, int width, int height) {
    SurfaceDesc desc;
    desc.dwWidth = width;
    desc.dwHeight = height;
    desc.pixelFormat = DescribePixelFormat(format);
    auto surface = std::make_unique<CSurface>();
    EXPECT_EQ(surface->Create(desc), S_OK);
    return surface;
}

class CuttingFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        savedCell = cellSize;
        savedTemp = g_tempDirectory;
        platform = std::make_unique<ScriptedPlatform>(temp.File("state"));
        SetPlatform(platform.get());
        g_tempDirectory = temp.Str();
        LogInit(temp.File("DUVereLog.txt"));
        display = std::make_unique<CDisplay>();
        UseFormat(RGB32);
        g_display = display.get();
        g_sideList = &sideList;
        g_maskCache = &maskCache;
        cellSize = 32;
    }

    void TearDown() override {
        maskCache.Clear();
        g_display = nullptr;
        g_sideList = nullptr;
        g_maskCache = nullptr;
        cellSize = savedCell;
        g_tempDirectory = savedTemp;
        display.reset();
        SetPlatform(nullptr);
    }

    // Recreates the display with the screen set to `format`.
    void UseFormat(PixelFormatCode format) {
        const PixelFormatDesc d = DescribePixelFormat(format);
        platform->screen.bitsPerPixel = d.bitsPerPixel;
        platform->screen.redMask = d.redMask, platform->screen.greenMask = d.greenMask;
        platform->screen.blueMask = d.blueMask;
        ASSERT_EQ(display->CreateWindowedDisplay(1, 64, 64), S_OK);
        ASSERT_EQ(display->Format(), format);
    }

    bool Logged(const std::string& line) const {
        std::stringstream s;
        s << std::ifstream(temp.File("DUVereLog.txt")).rdbuf();
        return s.str().find(line) != std::string::npos;
    }

    // A side shape of set `set` with a map filled with `value` (cellSize square).
    CSideShape* AddShape(int set, int slot, int partner, std::uint8_t value, int w = -1, int h = -1) {
        auto shape = std::make_unique<CSideShape>(set, slot, partner);
        shape->width = w < 0 ? cellSize : w;
        shape->height = h < 0 ? cellSize : h;
        shape->map.assign(static_cast<std::size_t>(shape->width) * shape->height, value);
        sideList.shapes.push_back(std::move(shape));
        return sideList.shapes.back().get();
    }

    TempDir temp;
    std::unique_ptr<ScriptedPlatform> platform;
    std::unique_ptr<CDisplay> display;
    CSideList sideList;
    CMaskCache maskCache;
    std::int32_t savedCell = 0;
    std::string savedTemp;
};
