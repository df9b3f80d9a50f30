#pragma once
// Composing a frame in the back buffer: the background, the groups from the bottom of the
// stack up, the selection on top and the rubber band. `view` is the board point shown at
// the buffer's top-left corner.
#include "platform/WinTypes.h"

#include <cstdint>

class CDisplay;
class CPuzzle;

void ComposeFrame(CDisplay& display, const CPuzzle* puzzle, std::uint32_t backgroundPixel, POINT view);
