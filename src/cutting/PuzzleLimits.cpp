#include "cutting/PuzzleLimits.h"

std::int64_t EstimatedPuzzleBytes(std::int64_t columns, std::int64_t rows, int cellSize, bool allRotations) {
    // Each piece has an image of twice its cell square per rotation, four bytes a pixel, and
    // about as much again in its mask and shadow.
    std::int64_t side = 2 * static_cast<std::int64_t>(cellSize);
    std::int64_t perPiece = side * side * 4 * (allRotations ? 4 : 1) * 2;
    return columns * rows * perPiece;
}

std::string PuzzleSizeRefusal(std::int64_t columns, std::int64_t rows, int cellSize, bool allRotations) {
    std::int64_t pieces = columns * rows;
    std::string size = std::to_string(columns) + " x " + std::to_string(rows) + " = " + std::to_string(pieces) + " pieces";
    if (pieces > kMaxPuzzlePieces)
        return "This puzzle has " + size + "; the game takes at most " + std::to_string(kMaxPuzzlePieces) + ".";
    std::int64_t bytes = EstimatedPuzzleBytes(columns, rows, cellSize, allRotations);
    if (bytes > kMaxPuzzleBytes)
        return "This puzzle (" + size + " of " + std::to_string(cellSize) + " pixels) needs about " +
               std::to_string(bytes >> 20) + " MB; the game takes at most " + std::to_string(kMaxPuzzleBytes >> 20) + " MB.";
    return {};
}
