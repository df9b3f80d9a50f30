#pragma once
// The author's extras of a published program, read back the game's way, for `inspect`.
#include "pack/AuthorExtras.h"

#include <ostream>

class CPackFile;

namespace publish {

// Prints the extras record as the game reads it, one field a line; says so when the pack has
// none, when the record is cut short, and when an entry its flags call for is missing.
// `scratchFile` is where the record is extracted to.
void ReportAuthorExtras(const CPackFile& pack, const std::string& scratchFile, std::ostream& out);

} // namespace publish
