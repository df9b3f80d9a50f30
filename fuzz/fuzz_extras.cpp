// Feeds arbitrary bytes to the author extras reader and checks that what it reads writes back
// as a prefix of the input.
#include "pack/AuthorExtras.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    AuthorExtras extras;
    bool whole = ParseAuthorExtras(std::span(data, size), extras);
    if (whole) {
        auto written = EncodeAuthorExtras(extras);
        if (written.size() > size || !std::equal(written.begin(), written.end(), data)) __builtin_trap();
    }
    return 0;
}
