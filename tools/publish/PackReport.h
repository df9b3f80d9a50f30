#pragma once
// What a published program carries, read back with the game's own readers: the pack
// directory, the puzzle archive's entries and options, the side list, the grid and the
// author's extras; and a
// sheet of every piece cut from it, laid out in place with small gaps.
#include "Progress.h"

#include <ostream>
#include <string>

namespace publish {

// The archive scramble key as three hexadecimal bytes.
std::string ScrambleKeyText();

// Prints the report. False with `error` set when the program holds no pack or no puzzle.
bool Inspect(const std::string& program, std::ostream& out, std::string* error);

// Cuts the puzzle with a fixed seed through the game's cutting code and writes all pieces,
// each in its place with a gap between neighbours, as a 24-bit bitmap. `progress` hears how
// far the cutting is.
bool WriteSheet(const std::string& program, const std::string& sheetPath, std::string* error,
                Progress* progress = nullptr);

} // namespace publish
