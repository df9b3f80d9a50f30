// Feeds arbitrary bytes to the GIF readers: the picture decoder, and the whole animation with
// every frame composed in turn.
#include "imaging/GifAnimation.h"
#include "imaging/GifCodec.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kBudget = std::size_t{4} << 20;
    DecodedImage image;
    std::string error;
    (void)DecodeGif(data, size, image, &error, 0xFFFFFF, kBudget);

    CGifAnimation gif;
    if (!gif.Load(data, size, &error, 64, kBudget)) return 0;
    for (int i = 0; i < gif.FrameCount(); ++i) {
        if (!gif.ComposeFrame(i, 0x00FF00, image)) __builtin_trap();
        if (image.pixels.size() !=
            static_cast<std::size_t>(gif.Width()) * static_cast<std::size_t>(gif.Height()))
            __builtin_trap();
    }
    // Going back to the start recomposes from scratch.
    if (gif.FrameCount() > 1 && !gif.ComposeFrame(0, 0x00FF00, image)) __builtin_trap();
    return 0;
}
