#pragma once
// Drawing the board: each group's shadows and pieces, the selection on top. `view` is the
// board point shown at the back buffer's top-left corner.
#include "platform/WinTypes.h"

class CDisplay;
class CPieceGroup;
class CPuzzle;

// A dragged group floats higher, so its shadow falls further and is always shown.
void DrawGroup(CDisplay& display, const CPieceGroup& group, bool dragged, POINT view);
// Every group from the bottom of the stack up; the selection last, above everything.
void DrawGroups(CDisplay& display, const CPuzzle& puzzle, POINT view);

// Everything DrawGroup touches for this group (right and bottom exclusive), in buffer
// coordinates; empty for a group with no pieces.
RECT GroupBounds(const CPieceGroup& group, bool dragged, POINT view);
// The same over every selected group.
RECT SelectionBounds(const CPuzzle& puzzle, bool dragged, POINT view);
