#include "clock/TargetTime.h"

namespace {
// Suggested seconds per piece: bigger puzzles take longer per piece.
int SecondsPerPiece(int pieces) {
    if (pieces < 50) return 5;
    if (pieces < 75) return 8;
    if (pieces < 100) return 10;
    if (pieces < 125) return 15;
    if (pieces < 150) return 20;
    if (pieces < 200) return 26;
    return 30;
}
} // namespace

TargetTime TargetTimeFor(std::int32_t pieces) {
    // 64-bit so an absurd piece count cannot overflow.
    std::int64_t total = static_cast<std::int64_t>(pieces) * SecondsPerPiece(pieces);
    if (total < 0) total = 0;
    return {static_cast<std::int32_t>(total / 3600), static_cast<std::int32_t>((total / 60) % 60)};
}
