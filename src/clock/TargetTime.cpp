#include "clock/TargetTime.h"

#include "play/CPuzzle.h"

namespace {
int SecondsPerPiece(std::int64_t pieces) {
    if (pieces < 50) return 5;
    if (pieces < 75) return 8;
    if (pieces < 100) return 10;
    if (pieces < 125) return 15;
    if (pieces < 150) return 20;
    if (pieces < 200) return 26;
    return 30;
}
} // namespace

void TargetTimeFor(std::int64_t pieces, std::int32_t* hours, std::int32_t* minutes) {
    // 64-bit so an absurd piece count cannot overflow.
    std::int64_t total = pieces * SecondsPerPiece(pieces);
    if (total < 0) total = 0;
    *hours = static_cast<std::int32_t>(total / 3600);
    *minutes = static_cast<std::int32_t>((total / 60) % 60);
}

void CPuzzle::ComputeTargetTime() {
    TargetTimeFor(totalPieces, &targetHours, &targetMinutes);
}
