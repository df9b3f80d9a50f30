#include "play/CPieceSide.h"

#include "app/Globals.h"
#include "play/CPiece.h"
#include "play/CPuzzle.h"

int JoinTolerance(int s) {
    switch (s) {
    case 16:
        return 3;
    case 32:
        return 4;
    case 48:
        return 5;
    case 64:
        return 6;
    default:
        return 4;
    }
}

POINT CPieceSide::AnchorPoint(int px, int py) const {
    const int s = cellSize;
    switch (BoardDirection()) {
    case 0:
        return {px + s, py + s / 2};
    case 1:
        return {px + s / 2, py + s};
    case 2:
        return {px, py + s / 2};
    default:
        return {px + s / 2, py};
    }
}

CPiece* CPieceSide::FindPartner(const CPuzzle* puzzle, int px, int py) const {
    if (!puzzle) return nullptr;
    CPiece* neighbour = puzzle->PieceAt(neighbourCol, neighbourRow);
    if (!neighbour) return nullptr;
    const CPieceSide& facing = neighbour->sides[(direction + 2) & 3];
    // Pieces join only when they are turned the same way.
    if (facing.rotation != rotation) return nullptr;

    const POINT a = AnchorPoint(px, py);
    const POINT b = facing.AnchorPoint(neighbour->x, neighbour->y);
    const int t = JoinTolerance(cellSize);
    if (b.x - t < a.x && a.x < b.x + t && b.y - t < a.y && a.y < b.y + t) return neighbour;
    return nullptr;
}
