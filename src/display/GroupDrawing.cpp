// Drawing the board: each group's shadows and pieces, the selection on top.
#include "app/CMainApp.h"
#include "app/Globals.h"
#include "cutting/CPieceMask.h"
#include "display/CDisplay.h"
#include "play/CMouseController.h"
#include "play/CPiece.h"
#include "play/CPieceGroup.h"
#include "play/CPuzzle.h"

namespace {

// A piece image is two cells square; one wholly outside the back buffer is not blitted.
bool OffBackBuffer(const CDisplay* display, int sx, int sy) {
    const int side = 2 * cellSize;
    return sx + side <= 0 || sx >= display->width || sy + side <= 0 || sy >= display->height;
}

} // namespace

void CPieceGroup::Draw(CDisplay* display, bool dragged) {
    if (!display) return;
    const CPuzzle* owner = Owner();
    const int viewX = g_mainApp ? g_mainApp->scrollX : 0;
    const int viewY = g_mainApp ? g_mainApp->scrollY : 0;

    // A dragged group floats higher, so its shadow falls further and is always shown.
    int shadowOffset = 0;
    if (dragged)
        shadowOffset = 2;
    else if (owner && owner->shadow)
        shadowOffset = 1;

    if (shadowOffset != 0) {
        for (CPiece* piece : pieces) {
            const int sx = piece->x - viewX, sy = piece->y - viewY;
            if (piece->rotation < 0 || piece->rotation > 3 || OffBackBuffer(display, sx, sy)) continue;
            const CPieceMask* mask = piece->masks[piece->rotation];
            if (mask && mask->shadow)
                display->DrawSurface(sx + shadowOffset, sy + shadowOffset, mask->shadow, nullptr, -1, -1);
        }
    }
    for (CPiece* piece : pieces) {
        const int sx = piece->x - viewX, sy = piece->y - viewY;
        if (piece->rotation < 0 || piece->rotation > 3 || OffBackBuffer(display, sx, sy)) continue;
        if (CSurface* image = piece->images[piece->rotation])
            display->DrawSurface(sx, sy, image, nullptr, -1, -1);
    }
    if (selected && reference && owner && owner->selectorSurface)
        display->DrawSurface(reference->x + cellSize - 4 - viewX, reference->y + cellSize - 4 - viewY,
                             owner->selectorSurface, nullptr, -1, -1);
}

void CPuzzle::DrawGroups(CDisplay* display) {
    if (!display || groups.Empty()) return;
    // Bottom of the stack first; the selection is drawn last, above everything.
    for (auto it = groups.rbegin(); it != groups.rend(); ++it) {
        CPieceGroup* group = *it;
        if (group->selected && selection.Contains(group)) continue;
        group->Draw(display, false);
    }
    const bool dragging = mouse && mouse->dragging;
    for (CPieceGroup* group : selection)
        group->Draw(display, dragging);
}
