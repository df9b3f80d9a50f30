#include "Inspect.h"

#include "pack/ScrambleKey.h"

#include <cstdio>

namespace publish {

std::string ScrambleKeyText() {
    char text[16];
    std::snprintf(text, sizeof text, "%02X %02X %02X", kArchiveScrambleKey[0], kArchiveScrambleKey[1],
                  kArchiveScrambleKey[2]);
    return text;
}

bool Inspect(const std::string&, std::ostream&, std::string* error) {
    *error = "not yet";
    return false;
}

bool WriteSheet(const std::string&, const std::string&, std::string* error) {
    *error = "not yet";
    return false;
}

} // namespace publish
