#pragma once
// The target time suggested for a puzzle of a given number of pieces: a few seconds per
// piece, more per piece for bigger puzzles.
#include <cstdint>

void TargetTimeFor(std::int64_t pieces, std::int32_t* hours, std::int32_t* minutes);
