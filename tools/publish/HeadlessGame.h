#pragma once
// The game's process-wide display, side list and mask cache for cutting without a window:
// swapped in on construction, with a small display already made, and put back as they were
// afterwards (the cell size too).
#include "cutting/CMaskCache.h"
#include "cutting/CSideList.h"
#include "display/CDisplay.h"

#include <cstdint>

namespace publish {

class HeadlessGame {
  public:
    HeadlessGame();
    ~HeadlessGame();
    HeadlessGame(const HeadlessGame&) = delete;
    HeadlessGame& operator=(const HeadlessGame&) = delete;

    CDisplay display;
    CSideList sideList;
    CMaskCache maskCache;

  private:
    CDisplay* oldDisplay;
    CSideList* oldSideList;
    CMaskCache* oldMaskCache;
    std::int32_t oldCell;
};

} // namespace publish
