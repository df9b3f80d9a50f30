#pragma once
// Pieces joined together; they move, turn and stack as one.
#include "play/OrderedList.h"

#include <cstdint>

class CPiece;
class CPuzzle;
class CDisplay;

class CPieceGroup {
  public:
    CPieceGroup() = default;
    virtual ~CPieceGroup() = default;

    void AddPiece(CPiece* piece);
    void PlaceAt(int px, int py);
    void PlaceAtOffset(int px, int py);
    bool HitTest(int bx, int by) const;
    bool InsideRect(int l, int t, int r, int b) const;

    // Rotation and joining (play/).
    void RotateClockwise();
    bool TryJoin();
    void MergeInto(CPieceGroup* target, CPiece* mine, CPiece* theirs);

    // Drawing (display/).
    void Draw(CDisplay* display, bool withShadow);

    std::int32_t x = 0, y = 0;
    std::int32_t offsetX = 0, offsetY = 0;
    OrderedList<CPiece> pieces;
    CPiece* reference = nullptr;
    std::int32_t selected = 0;
};
