#pragma once
// The largest puzzle the game takes: more pieces than it can draw smoothly, or more memory
// than the cut pieces may hold, is refused before any cutting starts. The publishing tool
// applies the same limits, so a pack it writes always loads.
#include <cstdint>
#include <string>

inline constexpr std::int64_t kMaxPuzzlePieces = 40000;
inline constexpr std::int64_t kMaxPuzzleBytes = std::int64_t{2} << 30;

// What the cut pieces of a picture of columns x rows cells hold in memory, roughly.
std::int64_t EstimatedPuzzleBytes(std::int64_t columns, std::int64_t rows, int cellSize, bool allRotations);

// Empty when the game can hold the puzzle; otherwise the message that says why not, naming
// the puzzle's size.
std::string PuzzleSizeRefusal(std::int64_t columns, std::int64_t rows, int cellSize, bool allRotations);
