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
    explicit CPieceGroup(CPuzzle* owner) : puzzle(owner) {}
    virtual ~CPieceGroup() = default;

    void AddPiece(CPiece* piece);
    // Clamps the origin to the board and lays every piece out around the reference piece.
    void PlaceAt(int px, int py);
    void PlaceAtOffset(int px, int py);
    bool HitTest(int bx, int by) const;
    bool InsideRect(int l, int t, int r, int b) const;

    // Rotation and joining (play/).
    void RotateClockwise();
    bool TryJoin();
    // Hands every piece to `target`, which snaps them into place beside its own.
    void MergeInto(CPieceGroup* target);
    void MergeInto(CPieceGroup* target, CPiece* mine, CPiece* theirs);

    // Drawing (display/).
    void Draw(CDisplay* display, bool withShadow);

    // The puzzle the group lies on (the global puzzle when null).
    CPuzzle* Owner() const;

    std::int32_t x = 0, y = 0;
    std::int32_t offsetX = 0, offsetY = 0;
    OrderedList<CPiece> pieces;
    CPiece* reference = nullptr;
    std::int32_t selected = 0;
    CPuzzle* puzzle = nullptr; // not owned
};
