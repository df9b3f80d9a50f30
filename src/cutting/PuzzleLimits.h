#pragma once
// The largest puzzle the game takes: more pieces than it can draw smoothly, or more memory
// than the cut pieces may hold, is refused before any cutting starts. The publishing tool
// applies the same limits, so a pack it writes always loads. At the piece limit the scatter
// of a new game stays a matter of seconds; 16-pixel pieces with rotation fit in the memory
// limit up to the piece limit, 32-pixel ones up to about 12,000 and 64-pixel ones about 3,000.
#include <cstdint>
#include <string>

inline constexpr std::int64_t kMaxPuzzlePieces = 40000;
inline constexpr std::int64_t kMaxPuzzleBytes = std::int64_t{2} << 30;

// What the cut pieces of a picture of columns x rows cells hold in memory, roughly (0 for
// no pieces).
std::int64_t EstimatedPuzzleBytes(std::int64_t columns, std::int64_t rows, int cellSize, bool allRotations);

// Empty when the game can hold the puzzle; otherwise the message that says why not, naming
// the puzzle's size.
std::string PuzzleSizeRefusal(std::int64_t columns, std::int64_t rows, int cellSize, bool allRotations);
