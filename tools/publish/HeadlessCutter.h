#pragma once
// The tool's own objects for cutting pieces the game's way without a window: a small
// display, a side list and a mask cache.
#include "cutting/CMaskCache.h"
#include "cutting/CSideList.h"
#include "cutting/CutContext.h"
#include "display/CDisplay.h"

namespace publish {

class HeadlessCutter {
  public:
    HeadlessCutter();
    HeadlessCutter(const HeadlessCutter&) = delete;
    HeadlessCutter& operator=(const HeadlessCutter&) = delete;

    // A context over these objects at `cellSize`, drawing from the game's generator.
    CutContext Context(int cellSize);

    CDisplay display;
    CSideList sideList;
    CMaskCache maskCache; // declared last: its shadows go before the display
};

} // namespace publish
