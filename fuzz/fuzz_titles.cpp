// Feeds arbitrary bytes as the texts the shell takes from outside: the puzzle and author
// titles from a pack (window titles with fixed buffers) and the stored background colour.
#include "app/Settings.h"
#include "app/StatusBarText.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::size_t half = size / 2;
    const std::string author = text.substr(0, half);
    const std::string title = text.substr(half);

    if (FormatPuzzleTitle(author, true, title).size() > 1023) __builtin_trap();
    if (FormatPuzzleTitle(author, false, title).size() > 1023) __builtin_trap();
    const int percent = size ? data[0] : 0;
    if (FormatLoadProgressTitle(title, percent).size() > 255) __builtin_trap();

    // The stored colour text as the store hands it over, cut at its first zero.
    (void)ColourFromSettingText(text.c_str());
    return 0;
}
