#include "cutting/PuzzleLimits.h"

#include <cstdint>

namespace {
// Memory per pixel of a piece's cell, measured on whole games (peak resident size less that
// of a game with a 64 x 64 picture): 2,000 pieces of 32 pixels and 8,000 of 16 pixels
// took 57 bytes per cell pixel without rotation and 152 to 160 with it (four turned images
// and masks per piece), picture copies included. A little is added for other layouts.
constexpr std::int64_t kBytesPerCellPixel = 60;
constexpr std::int64_t kBytesPerCellPixelRotating = 168;
} // namespace

std::int64_t EstimatedPuzzleBytes(std::int64_t columns, std::int64_t rows, int cellSize, bool allRotations) {
    if (columns <= 0 || rows <= 0 || cellSize <= 0) return 0;
    const std::int64_t cellPixels = static_cast<std::int64_t>(cellSize) * cellSize;
    const std::int64_t perPiece = cellPixels * (allRotations ? kBytesPerCellPixelRotating : kBytesPerCellPixel);
    // Past this many pieces the product could overflow; such a puzzle is refused by its count anyway.
    if (columns > kMaxPuzzlePieces || rows > kMaxPuzzlePieces) return INT64_MAX;
    return columns * rows * perPiece;
}

std::string PuzzleSizeRefusal(std::int64_t columns, std::int64_t rows, int cellSize, bool allRotations) {
    const std::int64_t pieces = columns > 0 && rows > 0 ? columns * rows : 0;
    const std::string size = std::to_string(columns) + " x " + std::to_string(rows) + " = " + std::to_string(pieces) + " pieces";
    if (columns > kMaxPuzzlePieces || rows > kMaxPuzzlePieces || pieces > kMaxPuzzlePieces)
        return "This puzzle has " + size + "; the game takes at most " + std::to_string(kMaxPuzzlePieces) + ".";
    const std::int64_t bytes = EstimatedPuzzleBytes(columns, rows, cellSize, allRotations);
    if (bytes > kMaxPuzzleBytes)
        return "This puzzle (" + size + " of " + std::to_string(cellSize) + " pixels) needs about " +
               std::to_string(bytes >> 20) + " MB; the game takes at most " + std::to_string(kMaxPuzzleBytes >> 20) + " MB.";
    return {};
}
