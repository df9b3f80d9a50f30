#include "display/GroupDrawing.h"

#include "app/Globals.h"
#include "cutting/CPieceMask.h"
#include "display/CDisplay.h"
#include "display/Rects.h"
#include "play/CMouseController.h"
#include "play/CPiece.h"
#include "play/CPieceGroup.h"
#include "play/CPuzzle.h"

#include <algorithm>

namespace {

// Where a piece's image (two cells square, at sx, sy) must start to leave a mark this frame.
// A piece wholly outside the back buffer is not drawn, shadow included; one outside the clip
// changes no pixel. `reach` widens the square down and right by the shadow's offset, so the
// clip's left and top sides move out by it; the buffer's stay.
struct Reachable {
    int left, top, right, bottom; // sx must be > left - side and < right; sy alike

    Reachable(const RECT& clip, int reach) {
        left = std::max(0, clip.left - reach);
        top = std::max(0, clip.top - reach);
        right = clip.right;
        bottom = clip.bottom;
    }
    bool Holds(int sx, int sy, int side) const {
        return sx + side > left && sx < right && sy + side > top && sy < bottom;
    }
};

int ShadowOffset(const CPieceGroup& group, bool dragged) {
    if (dragged) return 2;
    return group.puzzle && group.puzzle->shadow ? 1 : 0;
}

// DrawGroup with the display's clip already asked for.
void DrawGroupIn(CDisplay& display, const RECT& clip, const CPieceGroup& group, bool dragged, POINT view) {
    const CPuzzle* owner = group.puzzle;
    const int shadowOffset = ShadowOffset(group, dragged);
    const int side = 2 * cellSize;
    const Reachable shadows(clip, shadowOffset); // holds every piece the image pass draws
    const auto reached = [&](const CPiece* piece) {
        return shadows.Holds(piece->x - view.x, piece->y - view.y, side);
    };
    // Most groups of a large board lie away from a redrawn area: one look at each piece.
    if (!group.selected && std::none_of(group.pieces.begin(), group.pieces.end(), reached)) return;

    if (shadowOffset != 0) {
        for (const CPiece* piece : group.pieces) {
            const int sx = piece->x - view.x, sy = piece->y - view.y;
            if (piece->rotation < 0 || piece->rotation > 3 || !shadows.Holds(sx, sy, side)) continue;
            // The shadow is the piece's silhouette in black.
            if (const CPieceMask* mask = piece->masks[piece->rotation])
                display.FillRuns(sx + shadowOffset, sy + shadowOffset, mask->insideRuns, 0);
        }
    }
    const Reachable area(clip, 0);
    for (const CPiece* piece : group.pieces) {
        const int sx = piece->x - view.x, sy = piece->y - view.y;
        if (piece->rotation < 0 || piece->rotation > 3 || !area.Holds(sx, sy, side)) continue;
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

} // namespace

void DrawGroup(CDisplay& display, const CPieceGroup& group, bool dragged, POINT view) {
    DrawGroupIn(display, display.Clip(), group, dragged, view);
}

void DrawGroups(CDisplay& display, const CPuzzle& puzzle, POINT view) {
    const RECT clip = display.Clip();
    for (auto it = puzzle.groups.rbegin(); it != puzzle.groups.rend(); ++it) {
        const CPieceGroup* group = *it;
        if (group->selected && puzzle.selection.Contains(group)) continue;
        DrawGroupIn(display, clip, *group, false, view);
    }
    const bool dragging = puzzle.mouse && puzzle.mouse->dragging;
    for (const CPieceGroup* group : puzzle.selection)
        DrawGroupIn(display, clip, *group, dragging, view);
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
