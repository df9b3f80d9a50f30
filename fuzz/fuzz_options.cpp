// Feeds arbitrary bytes to the options reader as the text of an "options" entry.
#include "pack/PuzzleOptionsReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    PuzzleOptions options;
    if (ParsePuzzleOptions(data, size, options, false)) {
        // Every text field came through a 256-byte line buffer.
        if (options.title.size() > 255 || options.cutName.size() > 255 || options.completionText.size() > 255)
            __builtin_trap();
    }
    std::int32_t style = -1, cell = 0;
    ApplyCutName(options.cutName, style, cell);
    return 0;
}
