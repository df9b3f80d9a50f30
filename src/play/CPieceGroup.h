#pragma once
// Pieces joined together; they move, turn and stack as one.
#include "play/OrderedList.h"

#include <cstdint>

class CPiece;
class CPuzzle;

class CPieceGroup {
  public:
    explicit CPieceGroup(CPuzzle* owner) : puzzle(owner) {}
    virtual ~CPieceGroup() = default;

    void AddPiece(CPiece* piece);
    // Clamps the origin to the board and lays every piece out around the reference piece.
    void PlaceAt(int px, int py);
    void PlaceAtOffset(int px, int py);
    bool HitTest(int bx, int by) const;
    bool InsideRect(int l, int t, int r, int b) const;

    void RotateClockwise();
    // Joins the first group one of these pieces fits beside; true when it did.
    bool TryJoin();
    // Hands every piece to `target`, which snaps them into place beside its own.
    void MergeInto(CPieceGroup* target);

    std::int32_t x = 0, y = 0;
    std::int32_t offsetX = 0, offsetY = 0;
    OrderedList<CPiece> pieces;
    CPiece* reference = nullptr;
    std::int32_t selected = 0;
    CPuzzle* puzzle = nullptr; // not owned: the puzzle the group lies on
};
