#include "cutting/Bevel.h"

#include <algorithm>
#include <cstring>

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

    void Visit(std::uint8_t maskByte, std::uint8_t* pixel, int bpp, PixelFormatCode format, bool lighten) {
        if (maskByte != 0) {
            armed = true;
            return;
        }
        if (!armed) return;
        ShadePixel(pixel, bpp, format, lighten, intensity);
        ++count;
        intensity = std::max(intensity - params.decrement, 0);
        if (count > params.width) {
            intensity = params.startIntensity;
            count = 0;
            armed = false;
        }
    }
};

// Visits positions `first` to `last` (inclusive, upwards when `forward`) of one line. Positions
// outside [lo, hi) lie outside the mask, where a visit only re-arms, so they are not walked;
// nor are inside positions met while disarmed, where a visit does nothing.
template <typename Inside, typename Visit>
void WalkLine(BevelState& state, int first, int last, bool forward, int lo, int hi, Inside&& inside, Visit&& visit) {
    if (forward ? last < first : last > first) return;
    const int a = std::max(std::min(first, last), lo);
    const int b = std::min(std::max(first, last), hi - 1);
    if (a > b) {
        state.armed = true;
        return;
    }
    if (forward ? first < a : first > b) state.armed = true;
    if (forward) {
        for (int i = a; i <= b; ++i) {
            if (!state.armed)
                while (i <= b && inside(i))
                    ++i;
            if (i > b) break;
            visit(i);
        }
    } else {
        for (int i = b; i >= a; --i) {
            if (!state.armed)
                while (i >= a && inside(i))
                    --i;
            if (i < a) break;
            visit(i);
        }
    }
    if (forward ? last > b : last < a) state.armed = true;
}
} // namespace

void ApplyBevel(const std::uint8_t* mask, std::uint8_t* image, int bpp, int width, int height, int imagePitch,
                PixelFormatCode format, const BevelParams& params) {
    ApplyBevel(mask, image, bpp, width, height, imagePitch, format, params, {0, 0, width, height});
}

void ApplyBevel(const std::uint8_t* mask, std::uint8_t* image, int bpp, int width, int height, int imagePitch,
                PixelFormatCode format, const BevelParams& params, const BevelBox& box) {
    if (!mask || !image || width < 2 || height < 2) return;
    BevelState state{params, params.startIntensity};
    auto at = [&](int x, int y) { return mask[static_cast<std::size_t>(y) * width + x]; };
    auto visit = [&](int x, int y, bool lighten) {
        state.Visit(at(x, y),
                    image + static_cast<std::size_t>(y) * imagePitch + static_cast<std::size_t>(x) * bpp, bpp,
                    format, lighten);
    };
    auto rowBox = [&](int y, int* lo, int* hi) {
        const bool in = y >= box.top && y < box.bottom;
        *lo = in ? box.left : 0, *hi = in ? box.right : 0;
    };
    auto columnBox = [&](int x, int* lo, int* hi) {
        const bool in = x >= box.left && x < box.right;
        *lo = in ? box.top : 0, *hi = in ? box.bottom : 0;
    };
    int lo, hi;
    for (int y = 0; y <= height - 2; ++y) {
        rowBox(y, &lo, &hi);
        WalkLine(state, 0, width - 2, true, lo, hi, [&](int x) { return at(x, y) == 0; },
                 [&](int x) { visit(x, y, true); });
    }
    for (int x = 0; x <= width - 2; ++x) {
        columnBox(x, &lo, &hi);
        WalkLine(state, 0, height - 2, true, lo, hi, [&](int y) { return at(x, y) == 0; },
                 [&](int y) { visit(x, y, true); });
    }
    for (int y = 0; y <= height - 2; ++y) {
        rowBox(y, &lo, &hi);
        WalkLine(state, width - 1, 1, false, lo, hi, [&](int x) { return at(x, y) == 0; },
                 [&](int x) { visit(x, y, false); });
    }
    for (int x = 0; x <= width - 2; ++x) {
        columnBox(x, &lo, &hi);
        WalkLine(state, height - 1, 1, false, lo, hi, [&](int y) { return at(x, y) == 0; },
                 [&](int y) { visit(x, y, false); });
    }
}
