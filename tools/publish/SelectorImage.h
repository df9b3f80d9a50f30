#pragma once
// The selector image: the small marker the game draws on the reference piece of each
// selected group. White is transparent.
#include <cstdint>
#include <vector>

namespace publish {

class SelectorImage {
  public:
    static constexpr int kSide = 8;
    // "selector.bmp": an amber bead with a dark rim, lit from the top left.
    static std::vector<std::uint8_t> Bitmap();
};

} // namespace publish
