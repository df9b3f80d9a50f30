#pragma once
// What the tool says about itself: the short usage, the full help and the version.
#include <string>

namespace publish {

// A few lines: the commands and where to find more.
std::string UsageText();
// Every command and option, each with an example.
std::string HelpText();
// The tool's version, the same as the game's.
std::string VersionText();

} // namespace publish
