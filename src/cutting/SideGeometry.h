#pragma once
// Directions of piece edges and how edge shapes turn with the piece.
//
// Directions: 0 right, 1 bottom, 2 left, 3 top. A shape's slot within its set is 0..7;
// slot mod 4 is the direction it serves, slots 0-3 one form of the edge, 4-7 the other.
#include <cstdint>

// The slot a shape takes after `turns` quarter turns clockwise: it stays within its half
// (0-3 or 4-7). -1 (no shape) stays -1.
std::int32_t RotatedSlot(std::int32_t slot, int turns);

// 0<->2, 1<->3.
int OppositeDirection(int direction);

// The direction a slot is drawn in: slot mod 4 for 0..7, otherwise -1 (not drawn).
int SlotDirection(std::int32_t slot);
