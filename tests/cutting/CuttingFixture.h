#pragma once
// A display in a chosen pixel layout, a side list, a mask cache and a log in a scratch
// folder, handed to the cutting code as one context.
#include "app/Log.h"
#include "app/Random.h"
#include "cutting/CMaskCache.h"
#include "cutting/CSideList.h"
#include "cutting/CutContext.h"
#include "display/CDisplay.h"
#include "display/CSurface.h"
#include "platform/Platform.h"
#include "support/PictureFiles.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

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
        SetPlatform(&platform);
        LogInit(temp.File("DUVereLog.txt"));
        UseFormat(RGB32);
    }
    void TearDown() override { SetPlatform(nullptr); }

    // Recreates the display with the screen set to `format`.
    void UseFormat(PixelFormatCode format) {
        const PixelFormatDesc d = DescribePixelFormat(format);
        platform.screen.bitsPerPixel = d.bitsPerPixel;
        platform.screen.redMask = d.redMask, platform.screen.greenMask = d.greenMask;
        platform.screen.blueMask = d.blueMask;
        ASSERT_EQ(display.CreateWindowedDisplay(1, 64, 64), S_OK);
        ASSERT_EQ(display.Format(), format);
    }

    CutContext Context() { return {cell, &sideList, &maskCache, &display, GameRand}; }

    bool Logged(const std::string& line) const {
        const Bytes log = ReadBytes(temp.File("DUVereLog.txt"));
        return std::string(log.begin(), log.end()).find(line) != std::string::npos;
    }

    // A side shape of set `set` with a map filled with `value` (a cell square by default).
    CSideShape* AddShape(int set, int slot, int partner, std::uint8_t value, int w = -1, int h = -1) {
        auto shape = std::make_unique<CSideShape>(set, slot, partner);
        shape->width = w < 0 ? cell : w;
        shape->height = h < 0 ? cell : h;
        shape->map.assign(static_cast<std::size_t>(shape->width) * shape->height, value);
        sideList.shapes.push_back(std::move(shape));
        return sideList.shapes.back().get();
    }

    TempDir temp;
    ScriptedPlatform platform{temp.File("state")};
    CDisplay display;
    CSideList sideList;
    CMaskCache maskCache;
    int cell = 32;
};
