#include "play/CPieceGroup.h"

#include "app/Globals.h"
#include "play/Board.h"
#include "play/CPiece.h"
#include "play/CPuzzle.h"

#include <vector>

void CPieceGroup::AddPiece(CPiece* piece) {
    if (!piece) return;
    pieces.Append(piece);
    piece->group = this;
    reference = pieces.Head();
}

void CPieceGroup::PlaceAt(int px, int py) {
    const int s = cellSize;
    const int right = puzzle ? puzzle->boardRect.right : kBoardSize;
    const int bottom = puzzle ? puzzle->boardRect.bottom : kBoardSize;
    // Only the origin is held on the board; pieces right of or below it may reach past
    // the edge.
    if (px < 0) px = 0;
    if (px > right - s) px = right - s;
    if (py < 0) py = 0;
    if (py > bottom - s) py = bottom - s;
    x = px;
    y = py;
    if (!reference) return;

    const int c0 = reference->col;
    const int r0 = reference->row;
    const int rot = reference->rotation;
    for (CPiece* piece : pieces) {
        const int dc = piece->col - c0;
        const int dr = piece->row - r0;
        int u = dc, v = dr;
        // The grid offset turned clockwise by `rot` quarter turns (y grows downward).
        switch (rot) {
        case 1:
            u = -dr;
            v = dc;
            break;
        case 2:
            u = -dc;
            v = -dr;
            break;
        case 3:
            u = dr;
            v = -dc;
            break;
        default:
            break;
        }
        piece->x = x + s * u;
        piece->y = y + s * v;
    }
}

void CPieceGroup::PlaceAtOffset(int px, int py) {
    PlaceAt(px + offsetX, py + offsetY);
    if (puzzle) puzzle->positionChanged = 1;
}

bool CPieceGroup::HitTest(int bx, int by) const {
    for (const CPiece* piece : pieces) {
        if (piece->HitTest(bx, by)) return true;
    }
    return false;
}

bool CPieceGroup::InsideRect(int l, int t, int r, int b) const {
    if (pieces.Empty()) return false;
    for (const CPiece* piece : pieces) {
        if (!piece->InsideRect(l, t, r, b)) return false;
    }
    return true;
}

void CPieceGroup::RotateClockwise() {
    for (CPiece* piece : pieces)
        piece->RotateClockwise();
    // The reference piece keeps the origin, so the group turns about its cell.
    PlaceAt(x, y);
}

bool CPieceGroup::TryJoin() {
    for (CPiece* piece : pieces) {
        CPiece* partner = piece->FindJoinPartner(puzzle);
        if (partner) {
            MergeInto(partner->group);
            return true;
        }
    }
    return false;
}

void CPieceGroup::MergeInto(CPieceGroup* target) {
    if (!target || target == this) return;
    const std::vector<CPiece*> moving(pieces.begin(), pieces.end());
    for (CPiece* piece : moving)
        target->AddPiece(piece);
    // The empty group stays in the group list (and the selection) until the next load.
    pieces.Clear();
    reference = nullptr;
    // The joined group does not move; the dropped pieces snap to their places beside it.
    target->PlaceAt(target->x, target->y);
}
