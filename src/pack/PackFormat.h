#pragma once
// Layout constants of the pack appended to the game program.
#include <cstdint>

// The pack is looked for only from this offset on; the program image lies before it.
inline constexpr std::uint32_t kPackSearchOffset = 200000;

// The marker as the scan sees it: the last three bytes read, oldest in the high byte.
// Kept as one number so the program never holds the three marker bytes in a row.
inline constexpr std::uint32_t kPackMarkerWindow = 0x445588;

// Entry names are stored without a terminator and must fit the reader's 256-byte field.
inline constexpr std::uint32_t kMaxPackNameLength = 255;
