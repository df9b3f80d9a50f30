#include "cutting/Bevel.h"

#include "cutting/MaskScan.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

BevelParams BevelParamsForLevel(int bevelLevel) {
    switch (bevelLevel) {
    case 0:
        return {30, 1, 10};
    case 1:
        return {30, 2, 10};
    default:
        return {40, 3, 12};
    }
}

namespace {
int Shade(int value, bool lighten, int amount) {
    return lighten ? std::min(value + amount, 254) : std::max(value - amount, 0);
}

int ShadeChannel16(int value, bool lighten, int amount) {
    int v = std::clamp(Shade(value, lighten, amount), 8, 248);
    return v & 0xF8;
}
} // namespace

void ShadePixel(std::uint8_t* pixel, int bpp, PixelFormatCode format, bool lighten, int amount) {
    if (bpp == 2) {
        std::uint16_t v;
        std::memcpy(&v, pixel, 2);
        int r, g, b;
        if (format == RGB565) {
            r = (v >> 8) & 0xF8;
            g = (v >> 3) & 0xFC;
            b = (v & 0x1F) << 3;
        } else {
            r = (v >> 7) & 0xF8;
            g = (v >> 2) & 0xF8;
            b = (v & 0x1F) << 3;
        }
        r = ShadeChannel16(r, lighten, amount);
        g = ShadeChannel16(g, lighten, amount);
        b = ShadeChannel16(b, lighten, amount);
        std::uint32_t packed;
        if (format == RGB565) {
            packed = (static_cast<std::uint32_t>(r) << 8) | (static_cast<std::uint32_t>(g) << 3) |
                     (static_cast<std::uint32_t>(b) >> 3);
        } else {
            packed = (static_cast<std::uint32_t>(r) << 7) | (static_cast<std::uint32_t>(g) << 2) |
                     (static_cast<std::uint32_t>(b) >> 3);
        }
        // 248 in every channel is all channel bits set in 5-5-5 (0x7FFF), which is the
        // transparent white there: a lightened pixel must stay visible.
        const PixelFormatDesc layout = DescribePixelFormat(format);
        const std::uint32_t white = layout.redMask | layout.greenMask | layout.blueMask;
        if ((packed & white) == white) packed &= ~1u;
        v = static_cast<std::uint16_t>(packed);
        std::memcpy(pixel, &v, 2);
        return;
    }
    for (int i = 0; i < bpp; ++i)
        pixel[i] = static_cast<std::uint8_t>(Shade(pixel[i], lighten, amount));
}

namespace {
struct BevelState {
    const BevelParams& params;
    int intensity;
    int count = 0;
    bool armed = true;

    // An inside pixel met while armed is shaded by `shade(amount)`; after width + 1 of them
    // the run is done and the state disarms until the walk leaves the inside.
    template <typename Shade> void ShadeNext(Shade&& shade) {
        shade(intensity);
        ++count;
        intensity = std::max(intensity - params.decrement, 0);
        if (count > params.width) {
            intensity = params.startIntensity;
            count = 0;
            armed = false;
        }
    }
};

// Walks positions `first` to `last` (inclusive, upwards when `forward`) of one line whose
// mask byte for position i is line[i - base]: an outside position arms, an inside one met while
// armed is shaded. Positions outside [lo, hi) lie outside the mask, so they are not read;
// they only arm. Runs that change nothing (inside while disarmed, outside while armed)
// are skipped whole.
template <typename ShadeAt>
void WalkLine(BevelState& state, int first, int last, bool forward, int lo, int hi, const std::uint8_t* line,
              int base, ShadeAt&& shadeAt) {
    if (forward ? last < first : last > first) return;
    const int a = std::max(std::min(first, last), lo);
    const int b = std::min(std::max(first, last), hi - 1);
    if (a > b) {
        state.armed = true;
        return;
    }
    if (forward ? first < a : first > b) state.armed = true;
    const int from = a - base, to = b - base; // in line's own indices
    if (forward) {
        for (int j = from; j <= to;) {
            if (line[j] != 0) {
                state.armed = true;
                j = FirstWhere(line, j + 1, to + 1, true);
            } else if (!state.armed) {
                j = FirstWhere(line, j + 1, to + 1, false);
            } else {
                state.ShadeNext([&](int amount) { shadeAt(j + base, amount); });
                ++j;
            }
        }
    } else {
        for (int j = to; j >= from;) {
            if (line[j] != 0) {
                state.armed = true;
                j = LastWhere(line, from, j - 1, true);
            } else if (!state.armed) {
                j = LastWhere(line, from, j - 1, false);
            } else {
                state.ShadeNext([&](int amount) { shadeAt(j + base, amount); });
                --j;
            }
        }
    }
    if (forward ? last > b : last < a) state.armed = true;
}

// Every byte of an N-byte pixel; N = 0 leaves the pixel to ShadePixel (16-bit and odd layouts).
template <int N>
void ShadeAt(std::uint8_t* pixel, int bpp, PixelFormatCode format, bool lighten, int amount) {
    if constexpr (N == 0) {
        ShadePixel(pixel, bpp, format, lighten, amount);
    } else {
        for (int i = 0; i < N; ++i)
            pixel[i] = static_cast<std::uint8_t>(Shade(pixel[i], lighten, amount));
    }
}

template <int N>
void BevelPasses(const std::uint8_t* mask, std::uint8_t* image, int bpp, int width, int height,
                 int imagePitch, PixelFormatCode format, const BevelParams& params, const BevelBox& box) {
    BevelState state{params, params.startIntensity};
    auto shade = [&](int x, int y, bool lighten, int amount) {
        ShadeAt<N>(image + static_cast<std::size_t>(y) * imagePitch + static_cast<std::size_t>(x) * bpp, bpp,
                   format, lighten, amount);
    };
    // Only the box is ever read; its columns are copied into rows so both directions scan
    // contiguous bytes. Column x's byte for row y is columns[(x - left) * boxHeight + y - top].
    const int left = std::max(box.left, 0), top = std::max(box.top, 0);
    const int right = std::min(box.right, width), bottom = std::min(box.bottom, height);
    const int boxHeight = std::max(bottom - top, 0);
    std::vector<std::uint8_t> columns(static_cast<std::size_t>(std::max(right - left, 0)) * boxHeight);
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            columns[static_cast<std::size_t>(x - left) * boxHeight + (y - top)] =
                mask[static_cast<std::size_t>(y) * width + x];
    auto row = [&](int y) { return mask + static_cast<std::size_t>(y) * width; };
    // Position y of column x is its byte y - top; columns outside the box are never read.
    auto column = [&](int x) {
        return x >= left && x < right ? columns.data() + static_cast<std::size_t>(x - left) * boxHeight
                                      : nullptr;
    };
    auto rowBox = [&](int y, int* lo, int* hi) {
        const bool in = y >= top && y < bottom;
        *lo = in ? left : 0, *hi = in ? right : 0;
    };
    auto columnBox = [&](int x, int* lo, int* hi) {
        const bool in = x >= left && x < right;
        *lo = in ? top : 0, *hi = in ? bottom : 0;
    };
    int lo, hi;
    for (int y = 0; y <= height - 2; ++y) {
        rowBox(y, &lo, &hi);
        WalkLine(state, 0, width - 2, true, lo, hi, row(y), 0,
                 [&](int x, int amount) { shade(x, y, true, amount); });
    }
    for (int x = 0; x <= width - 2; ++x) {
        columnBox(x, &lo, &hi);
        WalkLine(state, 0, height - 2, true, lo, hi, column(x), top,
                 [&](int y, int amount) { shade(x, y, true, amount); });
    }
    for (int y = 0; y <= height - 2; ++y) {
        rowBox(y, &lo, &hi);
        WalkLine(state, width - 1, 1, false, lo, hi, row(y), 0,
                 [&](int x, int amount) { shade(x, y, false, amount); });
    }
    for (int x = 0; x <= width - 2; ++x) {
        columnBox(x, &lo, &hi);
        WalkLine(state, height - 1, 1, false, lo, hi, column(x), top,
                 [&](int y, int amount) { shade(x, y, false, amount); });
    }
}
} // namespace

void ApplyBevel(const std::uint8_t* mask, std::uint8_t* image, int bpp, int width, int height, int imagePitch,
                PixelFormatCode format, const BevelParams& params) {
    ApplyBevel(mask, image, bpp, width, height, imagePitch, format, params, {0, 0, width, height});
}

void ApplyBevel(const std::uint8_t* mask, std::uint8_t* image, int bpp, int width, int height, int imagePitch,
                PixelFormatCode format, const BevelParams& params, const BevelBox& box) {
    if (!mask || !image || width < 2 || height < 2) return;
    if (bpp == 4)
        BevelPasses<4>(mask, image, bpp, width, height, imagePitch, format, params, box);
    else if (bpp == 3)
        BevelPasses<3>(mask, image, bpp, width, height, imagePitch, format, params, box);
    else
        BevelPasses<0>(mask, image, bpp, width, height, imagePitch, format, params, box);
}
