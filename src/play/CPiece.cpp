// The play side of a piece: its images' lifetime, hit tests, rotation and finding a
// neighbour to join.
#include "play/CPiece.h"

#include "app/CMainApp.h"
#include "app/Globals.h"
#include "display/CSurface.h"
#include "play/CPuzzle.h"

CPiece::~CPiece() {
    ReleaseImages();
}

void CPiece::ReleaseImages() {
    for (CSurface*& image : images) {
        delete image;
        image = nullptr;
    }
}

bool CPiece::HitTest(int bx, int by) const {
    // The cell square enlarged by an eighth of a cell on every side, not the outline: a tab
    // beyond it misses and a notch inside it hits.
    const int s = cellSize;
    const int e = s / 8;
    const int l = x + s / 2 - e;
    const int t = y + s / 2 - e;
    return l < bx && bx < l + s + 2 * e && t < by && by < t + s + 2 * e;
}

bool CPiece::InsideRect(int l, int t, int r, int b) const {
    const int s = cellSize;
    const int sx = g_mainApp ? g_mainApp->scrollX : 0;
    const int sy = g_mainApp ? g_mainApp->scrollY : 0;
    const int cellLeft = x - sx + s / 2;
    const int cellTop = y - sy + s / 2;
    return l < cellLeft && cellLeft + s < r && t < cellTop && cellTop + s < b;
}

int CPiece::RotationToAngle(int rot) {
    switch (rot) {
    case 1:
        return 90;
    case 2:
        return 180;
    case 3:
        return 270;
    default:
        return 0;
    }
}

int CPiece::AngleToRotation(int angle) {
    switch (angle) {
    case 90:
        return 1;
    case 180:
        return 2;
    case 270:
        return 3;
    default:
        return 0;
    }
}

void CPiece::SetRotation(int rot) {
    // The rotation indexes the four images and masks, so nothing outside 0..3 is kept.
    if (rot < 0 || rot > 3) rot = 0;
    rotation = rot;
    for (CPieceSide& side : sides)
        side.rotation = rot;
}

void CPiece::RotateClockwise() {
    int angle = RotationToAngle(rotation) + 90;
    if (angle > 270) angle = 0;
    SetRotation(AngleToRotation(angle));
}

CPiece* CPiece::FindJoinPartner(CPuzzle* puzzle) {
    for (const CPieceSide& side : sides) {
        CPiece* partner = side.FindPartner(puzzle, x, y);
        if (partner && partner->group && partner->group != group) return partner;
    }
    return nullptr;
}
