#pragma once
#include <cstdint>

// One side of a piece, in the piece's own (unrotated) frame.
class CPieceSide {
  public:
    virtual ~CPieceSide() = default;

    static constexpr std::int32_t kUnassigned = -1;
    static constexpr std::int32_t kBorder = -2;

    std::int32_t neighbourCol = 0;
    std::int32_t neighbourRow = 0;
    std::int32_t direction = 0; // 0 right, 1 bottom, 2 left, 3 top
    std::int32_t setNumber = kUnassigned;
    std::int32_t slot = kUnassigned;
    std::int32_t rotation = 0;
};
