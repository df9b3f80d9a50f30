// Feeds arbitrary bytes to the JPEG decoder; every libjpeg error must come back as a
// failed decode, never as an exit.
#include "imaging/JpegCodec.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DecodedImage image;
    std::string error;
    // A smaller budget than the game's keeps each run quick; the checks are the same.
    if (DecodeJpeg(data, size, image, &error, std::size_t{4} << 20) &&
        image.pixels.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height))
        __builtin_trap();
    return 0;
}
