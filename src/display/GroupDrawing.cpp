#include "display/GroupDrawing.h"

#include "app/Globals.h"
#include "cutting/CPieceMask.h"
#include "display/CDisplay.h"
#include "display/Rects.h"
#include "play/CMouseController.h"
#include "play/CPiece.h"
#include "play/CPieceGroup.h"
#include "play/CPuzzle.h"

namespace {

// A piece image is two cells square; one wholly outside the back buffer is not drawn, shadow
// included. `reach` widens the square down and right by the shadow's offset.
bool Outside(const RECT& area, int sx, int sy, int reach) {
    const int side = 2 * cellSize + reach;
    return sx + side <= area.left || sx >= area.right || sy + side <= area.top || sy >= area.bottom;
}

bool OffBackBuffer(const CDisplay& display, int sx, int sy) {
    return Outside(RECT{0, 0, display.width, display.height}, sx, sy, 0);
}

// Nothing of it lands where drawing is allowed now: skipping it changes no pixel.
bool OffClip(const CDisplay& display, int sx, int sy, int reach) {
    return Outside(display.Clip(), sx, sy, reach);
}

int ShadowOffset(const CPieceGroup& group, bool dragged) {
    if (dragged) return 2;
    return group.puzzle && group.puzzle->shadow ? 1 : 0;
}

} // namespace

void DrawGroup(CDisplay& display, const CPieceGroup& group, bool dragged, POINT view) {
    const CPuzzle* owner = group.puzzle;
    const int shadowOffset = ShadowOffset(group, dragged);

    if (shadowOffset != 0) {
        for (const CPiece* piece : group.pieces) {
            const int sx = piece->x - view.x, sy = piece->y - view.y;
            if (piece->rotation < 0 || piece->rotation > 3 || OffBackBuffer(display, sx, sy) ||
                OffClip(display, sx, sy, shadowOffset))
                continue;
            // The shadow is the piece's silhouette in black.
            if (const CPieceMask* mask = piece->masks[piece->rotation])
                display.FillRuns(sx + shadowOffset, sy + shadowOffset, mask->insideRuns, 0);
        }
    }
    for (const CPiece* piece : group.pieces) {
        const int sx = piece->x - view.x, sy = piece->y - view.y;
        if (piece->rotation < 0 || piece->rotation > 3 || OffBackBuffer(display, sx, sy) ||
            OffClip(display, sx, sy, 0))
            continue;
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

RECT GroupBounds(const CPieceGroup& group, bool dragged, POINT view) {
    RECT bounds;
    const int reach = 2 * cellSize + ShadowOffset(group, dragged);
    for (const CPiece* piece : group.pieces) {
        const int sx = piece->x - view.x, sy = piece->y - view.y;
        bounds = UniteRects(bounds, RECT{sx, sy, sx + reach, sy + reach});
    }
    const CPiece* reference = group.reference;
    const CPuzzle* owner = group.puzzle;
    if (group.selected && reference && owner && owner->selectorSurface) {
        const int x = reference->x + cellSize - 4 - view.x, y = reference->y + cellSize - 4 - view.y;
        const CSurface& marker = *owner->selectorSurface;
        bounds = UniteRects(bounds, RECT{x, y, x + marker.Width(), y + marker.Height()});
    }
    return bounds;
}

RECT SelectionBounds(const CPuzzle& puzzle, bool dragged, POINT view) {
    RECT bounds;
    for (const CPieceGroup* group : puzzle.selection)
        bounds = UniteRects(bounds, GroupBounds(*group, dragged, view));
    return bounds;
}
