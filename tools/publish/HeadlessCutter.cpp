#include "HeadlessCutter.h"

#include "app/Random.h"

namespace publish {

HeadlessCutter::HeadlessCutter() {
    // Surfaces (side bitmaps, pictures) can only be made once the display exists.
    display.CreateWindowedDisplay(0, 64, 64);
}

CutContext HeadlessCutter::Context(int cellSize) {
    CutContext context;
    context.cellSize = cellSize;
    context.sideList = &sideList;
    context.maskCache = &maskCache;
    context.display = &display;
    context.random = GameRand;
    return context;
}

} // namespace publish
