#pragma once
// The three bytes that scrambled puzzle archive entries are combined with. The game reads
// with it and the publishing tool writes with it, so it lives in exactly one place.
#include <cstdint>

inline constexpr std::uint8_t kArchiveScrambleKey[3] = {0x5A, 0xC3, 0x3E};
