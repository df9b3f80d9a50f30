#pragma once
// The time a puzzle suggests for solving it, from its number of pieces.
#include <cstdint>

struct TargetTime {
    std::int32_t hours = 0;
    std::int32_t minutes = 0; // 0 to 59
};

// Whole hours and minutes for `pieces` pieces; no count gives a negative time.
TargetTime TargetTimeFor(std::int32_t pieces);
