#pragma once
// Reading the puzzle's fourteen-line "options" entry and applying its cut name.
#include "play/CPuzzle.h"

#include <cstddef>
#include <cstdint>
#include <string>

class CArchiveEntry;

// Lines are read with a 256-byte buffer, the last one with 1024.
inline constexpr int kOptionsLineBuffer = 256;
inline constexpr int kOptionsLastLineBuffer = 1024;

// Opens the entry's stream, reads the options into `options` and closes the stream again.
// Fails (keeping the lines read so far) when the stream cannot be opened or line 1 is not a
// picture type. The cut name on line 2 is taken only when not `restoringPosition`.
bool ReadPuzzleOptions(CArchiveEntry& entry, PuzzleOptions& options, bool restoringPosition);
// The same over options text held in memory (no scrambling).
bool ParsePuzzleOptions(const std::uint8_t* data, std::size_t size, PuzzleOptions& options,
                        bool restoringPosition);

// The cut index and cell size of an exactly matching cut name; false for any other name.
bool CutFromName(const std::string& cutName, std::int32_t& style, std::int32_t& size);
// Sets `cutStyle` and `cellSize` from the cut name; a name that matches none leaves both.
void ApplyCutName(const std::string& cutName, std::int32_t& cutStyle, std::int32_t& cellSizeValue);
