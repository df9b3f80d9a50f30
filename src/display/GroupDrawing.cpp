#include "display/GroupDrawing.h"

#include "app/Globals.h"
#include "cutting/CPieceMask.h"
#include "display/CDisplay.h"
#include "play/CMouseController.h"
#include "play/CPiece.h"
#include "play/CPieceGroup.h"
#include "play/CPuzzle.h"

namespace {

// A piece image is two cells square; one wholly outside the back buffer is not blitted.
bool OffBackBuffer(const CDisplay& display, int sx, int sy) {
    const int side = 2 * cellSize;
    return sx + side <= 0 || sx >= display.width || sy + side <= 0 || sy >= display.height;
}

} // namespace

void DrawGroup(CDisplay& display, const CPieceGroup& group, bool dragged, POINT view) {
    const CPuzzle* owner = group.puzzle;
    int shadowOffset = 0;
    if (dragged)
        shadowOffset = 2;
    else if (owner && owner->shadow)
        shadowOffset = 1;

    if (shadowOffset != 0) {
        for (const CPiece* piece : group.pieces) {
            const int sx = piece->x - view.x, sy = piece->y - view.y;
            if (piece->rotation < 0 || piece->rotation > 3 || OffBackBuffer(display, sx, sy)) continue;
            // The shadow is the piece's silhouette in black.
            if (const CPieceMask* mask = piece->masks[piece->rotation])
                display.FillRuns(sx + shadowOffset, sy + shadowOffset, mask->insideRuns, 0);
        }
    }
    for (const CPiece* piece : group.pieces) {
        const int sx = piece->x - view.x, sy = piece->y - view.y;
        if (piece->rotation < 0 || piece->rotation > 3 || OffBackBuffer(display, sx, sy)) continue;
        CSurface* image = piece->images[piece->rotation];
        if (!image) continue;
        // An image is transparent outside its mask's box, so only the box is blitted.
        const CPieceMask* mask = piece->masks[piece->rotation];
        if (mask && mask->width == image->Width() && mask->height == image->Height()) {
            if (mask->left >= mask->right || mask->top >= mask->bottom) continue;
            const RECT box{mask->left, mask->top, mask->right, mask->bottom};
            display.DrawSurface(sx + box.left, sy + box.top, image, &box, -1, -1);
        } else {
            display.DrawSurface(sx, sy, image, nullptr, -1, -1);
        }
    }
    const CPiece* reference = group.reference;
    if (group.selected && reference && owner && owner->selectorSurface)
        display.DrawSurface(reference->x + cellSize - 4 - view.x, reference->y + cellSize - 4 - view.y,
                            owner->selectorSurface, nullptr, -1, -1);
}

void DrawGroups(CDisplay& display, const CPuzzle& puzzle, POINT view) {
    for (auto it = puzzle.groups.rbegin(); it != puzzle.groups.rend(); ++it) {
        const CPieceGroup* group = *it;
        if (group->selected && puzzle.selection.Contains(group)) continue;
        DrawGroup(display, *group, false, view);
    }
    const bool dragging = puzzle.mouse && puzzle.mouse->dragging;
    for (const CPieceGroup* group : puzzle.selection)
        DrawGroup(display, *group, dragging, view);
}
