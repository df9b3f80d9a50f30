#include "PictureSize.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace publish {

PictureSize ChoosePictureSize(int width, int height, int cell, const PictureSizeRequest& request) {
    if (width < 1 || height < 1) return {width, height};
    double scale = 1.0;
    if (request.maxWidth > 0) scale = std::min(scale, static_cast<double>(request.maxWidth) / width);
    if (request.maxHeight > 0) scale = std::min(scale, static_cast<double>(request.maxHeight) / height);
    const auto heightFor = [&](double w) {
        return std::max(1, static_cast<int>(std::lround(w * height / width)));
    };
    const int widest = std::max(1, static_cast<int>(std::floor(width * scale + 1e-9)));
    PictureSize best{widest, scale < 1.0 ? heightFor(widest) : height};
    if (request.pieces <= 0 || cell < 1) return best;

    const int tallest = best.height;
    std::int64_t bestMiss = std::numeric_limits<std::int64_t>::max();
    for (int cols = 1; cols * cell <= widest; ++cols) {
        const int w = cols * cell, h = std::min(tallest, heightFor(w));
        const std::int64_t rows = h / cell;
        if (rows < 1) continue;
        const std::int64_t miss = std::llabs(cols * rows - request.pieces);
        if (miss < bestMiss) bestMiss = miss, best = {w, h};
    }
    return best;
}

bool ParseSize(const char* text, int limit, int* width, int* height) {
    int sides[2] = {0, 0}, side = 0, digits = 0;
    for (const char* c = text; *c; ++c) {
        if ((*c == 'x' || *c == 'X') && side == 0 && digits > 0) {
            side = 1, digits = 0;
        } else if (*c >= '0' && *c <= '9' && sides[side] <= limit) {
            sides[side] = sides[side] * 10 + (*c - '0'), ++digits;
        } else {
            return false;
        }
    }
    if (side != 1 || digits == 0) return false;
    for (int s : sides)
        if (s < 1 || s > limit) return false;
    *width = sides[0], *height = sides[1];
    return true;
}

} // namespace publish
