#pragma once
#include "platform/WinTypes.h"

#include <cstdint>

class CPiece;
class CPuzzle;

// One side of a piece, in the piece's own (unrotated) frame.
class CPieceSide {
  public:
    virtual ~CPieceSide() = default;

    static constexpr std::int32_t kUnassigned = -1;
    static constexpr std::int32_t kBorder = -2;

    // Direction of this side on the board once the piece is turned: 0 right, 1 bottom,
    // 2 left, 3 top.
    int BoardDirection() const { return (direction + rotation) & 3; }
    // Where this side meets its neighbour, for a piece whose image is at (x, y).
    POINT AnchorPoint(int x, int y) const;
    // The neighbour across this side when it lies close enough to its true place and is
    // turned the same way; (x, y) is the position of this side's own piece.
    CPiece* FindPartner(const CPuzzle* puzzle, int x, int y) const;

    std::int32_t neighbourCol = 0;
    std::int32_t neighbourRow = 0;
    std::int32_t direction = 0; // 0 right, 1 bottom, 2 left, 3 top
    std::int32_t setNumber = kUnassigned;
    std::int32_t slot = kUnassigned;
    std::int32_t rotation = 0;
};

// How far, in pixels, a dropped piece may lie from its true place and still join.
int JoinTolerance(int cellSize);
