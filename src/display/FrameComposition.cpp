#include "display/FrameComposition.h"

#include "display/CDisplay.h"
#include "display/GroupDrawing.h"
#include "play/CMouseController.h"
#include "play/CPuzzle.h"

#include <algorithm>

namespace {
void DrawRubberBand(CDisplay& display, const CMouseController* mouse) {
    if (!mouse || !mouse->rubberBanding || !mouse->BandComplete()) return;
    const int l = std::min(mouse->band[0], mouse->band[2]);
    const int r = std::max(mouse->band[0], mouse->band[2]);
    const int t = std::min(mouse->band[1], mouse->band[3]);
    const int b = std::max(mouse->band[1], mouse->band[3]);
    display.DrawFrame(0, l, t, r, b, 1);
}
} // namespace

void ComposeFrame(CDisplay& display, const CPuzzle* puzzle, std::uint32_t backgroundPixel, POINT view) {
    display.ClearBackBuffer(backgroundPixel);
    if (!puzzle) return;
    DrawGroups(display, *puzzle, view);
    DrawRubberBand(display, puzzle->mouse.get());
}
