// Feeds arbitrary bytes to the icon decoder.
#include "imaging/IcoCodec.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DecodedImage image;
    std::string error;
    if (DecodeIco(data, size, image, &error, std::size_t{4} << 20) &&
        image.pixels.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height))
        __builtin_trap();
    return 0;
}
