// Feeds arbitrary bytes to the bitmap reader, as a file and as a bare DIB; a decoded
// picture is written back out to exercise the writer too.
#include "imaging/BmpCodec.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Keep pictures small enough that one input never exhausts the fuzzer's memory.
    constexpr std::size_t kFuzzMaxPixels = 4096 * 4096;
    DecodedImage image;
    std::string error;
    if (DecodeBmp(data, size, image, &error, kFuzzMaxPixels)) {
        if (image.pixels.size() != static_cast<std::size_t>(image.width) * image.height) __builtin_trap();
        (void)EncodeBmp24(image);
    }
    DecodedImage dib;
    (void)DecodeDib(data, size, dib, &error, kFuzzMaxPixels);
    return 0;
}
