#include "HeadlessGame.h"

#include "app/Globals.h"

namespace publish {

HeadlessGame::HeadlessGame()
    : oldDisplay(g_display), oldSideList(g_sideList), oldMaskCache(g_maskCache), oldCell(cellSize) {
    // Surfaces (side bitmaps, pictures) can only be made once the display exists.
    display.CreateWindowedDisplay(0, 64, 64);
    g_display = &display;
    g_sideList = &sideList;
    g_maskCache = &maskCache;
}

HeadlessGame::~HeadlessGame() {
    maskCache.Clear();
    g_display = oldDisplay;
    g_sideList = oldSideList;
    g_maskCache = oldMaskCache;
    cellSize = oldCell;
}

} // namespace publish
