#include "DemoPicture.h"

#include "JpegWriter.h"
#include "app/Random.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace publish {

namespace {

constexpr int W = kDemoWidth;
constexpr int H = kDemoHeight;
constexpr int kShore = 372; // where the far shore meets the water
constexpr double kSunX = 560, kSunY = 172, kSunR = 30;

struct Rgb {
    double r = 0, g = 0, b = 0;
};
Rgb operator+(Rgb a, Rgb b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
Rgb operator*(Rgb a, double k) {
    return {a.r * k, a.g * k, a.b * k};
}
Rgb Mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return a * (1 - t) + b * t;
}
double Smooth(double e0, double e1, double x) {
    double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// Value noise on a hashed lattice, smooth between lattice points.
double Hash(int x, int y, int salt) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                      static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(salt) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / double(0xFFFFFF);
}
double Noise(double x, double y, int salt) {
    int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    double fx = x - ix, fy = y - iy;
    double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    double a = Hash(ix, iy, salt), b = Hash(ix + 1, iy, salt);
    double c = Hash(ix, iy + 1, salt), d = Hash(ix + 1, iy + 1, salt);
    return (a + (b - a) * sx) * (1 - sy) + (c + (d - c) * sx) * sy;
}
double Fbm(double x, double y, int octaves, int salt) {
    double sum = 0, amp = 0.5, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * Noise(x, y, salt + o * 31);
        norm += amp;
        x *= 2.03;
        y *= 2.03;
        amp *= 0.5;
    }
    return sum / norm;
}
// Sharp crests for mountain ridges.
double Ridge(double x, int octaves, int salt) {
    double sum = 0, amp = 0.5, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        double n = 1 - std::fabs(2 * Noise(x, 0.5 + o, salt + o * 17) - 1);
        sum += amp * n * n;
        norm += amp;
        x *= 2.1;
        amp *= 0.48;
    }
    return sum / norm;
}

class Canvas {
  public:
    Canvas() : pixels(static_cast<std::size_t>(W) * H) {}
    Rgb& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * W + x]; }
    void Blend(int x, int y, Rgb c, double alpha) {
        if (x < 0 || y < 0 || x >= W || y >= H || alpha <= 0) return;
        At(x, y) = Mix(At(x, y), c, alpha);
    }
    std::vector<Rgb> pixels;
};

Rgb SkyAt(int x, int y) {
    double t = static_cast<double>(y) / kShore;
    Rgb top{34, 62, 138}, middle{104, 150, 214}, low{246, 186, 138}, horizon{255, 214, 160};
    Rgb c = t < 0.55   ? Mix(top, middle, t / 0.55)
            : t < 0.88 ? Mix(middle, low, (t - 0.55) / 0.33)
                       : Mix(low, horizon, (t - 0.88) / 0.12);
    double d = std::hypot(x - kSunX, y - kSunY);
    c = c + Rgb{255, 190, 110} * (0.55 * std::exp(-d / 90.0)) +
        Rgb{255, 230, 180} * (0.35 * std::exp(-d / 28.0));
    // Clouds: soft banks lit warm from below on the sun's side.
    double n = Fbm(x / 170.0, y / 55.0, 5, 11);
    double cover = Smooth(0.52, 0.72, n) * Smooth(300, 80, y) * 0.85;
    Rgb cloud = Mix(Rgb{250, 236, 236}, Rgb{255, 196, 170}, Smooth(60, 260, y));
    cloud = Mix(cloud, Rgb{150, 140, 175}, Smooth(0.6, 0.85, n) * 0.5);
    c = Mix(c, cloud, cover);
    if (d < kSunR) c = Mix(c, Rgb{255, 248, 222}, Smooth(kSunR, kSunR - 3, d));
    return {std::min(c.r, 254.0), std::min(c.g, 254.0), std::min(c.b, 254.0)};
}

struct Range {
    double base, height, scale;
    int salt;
    Rgb lit, shade;
    double haze;
    double snow; // crest height (0-1 of the range) above which snow lies; >1 for none
};

void PaintRange(Canvas& canvas, const Range& range, Rgb hazeColour) {
    // The crest of every column and whether it faces the evening sun on the right.
    std::vector<double> top(W), ridge(W), facing(W + 1, 0.0);
    for (int x = 0; x < W; ++x) {
        ridge[static_cast<std::size_t>(x)] = Ridge(x / range.scale, 6, range.salt);
        top[static_cast<std::size_t>(x)] = range.base - range.height * ridge[static_cast<std::size_t>(x)];
    }
    for (int x = 0; x < W; ++x) {
        double slope = ridge[static_cast<std::size_t>(std::min(W - 1, x + 1))] -
                       ridge[static_cast<std::size_t>(std::max(0, x - 1))];
        facing[static_cast<std::size_t>(x) + 1] =
            facing[static_cast<std::size_t>(x)] + Smooth(-0.004, 0.004, slope);
    }
    auto facingAround = [&](double x, double reach) {
        int a = std::clamp(static_cast<int>(x - reach), 0, W - 1),
            b = std::clamp(static_cast<int>(x + reach), 0, W - 1);
        return (facing[static_cast<std::size_t>(b) + 1] - facing[static_cast<std::size_t>(a)]) / (b - a + 1);
    };
    for (int x = 0; x < W; ++x) {
        double crest = top[static_cast<std::size_t>(x)];
        for (int y = std::max(0, static_cast<int>(crest)); y < kShore; ++y) {
            double below = y - crest;
            // Faces broaden downhill: far below a peak the slope averages out.
            double light = facingAround(x + 0.3 * below, 1.5 + 0.7 * below);
            light = std::clamp(light + 0.35 * (Fbm(x / 22.0, y / 22.0, 4, range.salt + 5) - 0.5), 0.0, 1.0);
            double depth = below / std::max(1.0, range.base - crest + 60);
            Rgb c = Mix(range.shade, range.lit, light * (1 - 0.5 * depth));
            // Strata and gullies running down the faces.
            double strata =
                Fbm((x + 0.6 * below * (light > 0.5 ? -1 : 1)) / 11.0, y / 32.0, 4, range.salt + 9);
            c = c * (0.9 + 0.2 * strata);
            // Snow on the high crests, deeper on the lit faces, ragged at its lower edge.
            double high = Smooth(range.snow, range.snow + 0.18, ridge[static_cast<std::size_t>(x)]);
            double snowDepth =
                high * (18 + 22 * light) + 16 * (Fbm(x / 9.0, y / 14.0, 3, range.salt + 3) - 0.5);
            if (below < snowDepth) {
                Rgb snow = Mix(Rgb{168, 176, 216}, Rgb{254, 246, 238}, light);
                c = Mix(c, snow, Smooth(snowDepth, snowDepth - 5, below));
            }
            c = Mix(c, hazeColour, range.haze * (1 - 0.4 * depth));
            canvas.Blend(x, y, c, std::clamp(below + 1, 0.0, 1.0)); // soften the crest by a pixel
        }
    }
}

void PaintPine(Canvas& canvas, double cx, double baseY, double height, Rgb colour) {
    double width = height * 0.34;
    for (int y = static_cast<int>(baseY - height); y <= static_cast<int>(baseY); ++y) {
        double t = (y - (baseY - height)) / height; // 0 at the tip
        // Tiers of branches: the outline widens in steps with a ragged edge.
        double tier = std::fmod(t * 5.0, 1.0);
        double half = width * t * (0.55 + 0.45 * tier) * (0.9 + 0.2 * Noise(cx, y * 0.7, 3));
        for (int x = static_cast<int>(cx - half - 1); x <= static_cast<int>(cx + half + 1); ++x) {
            double inside = std::clamp(half - std::fabs(x - cx) + 0.5, 0.0, 1.0);
            double side = (x - cx) / std::max(1.0, half);
            // Lit from the right, darker under each tier, needles broken up by noise.
            Rgb c = colour * (1.0 + 0.18 * side + 0.14 * (1 - tier)) *
                    (0.82 + 0.36 * Noise(x / 1.7, y / 1.3, 19));
            canvas.Blend(x, y, c, inside);
        }
    }
    for (int y = static_cast<int>(baseY); y < static_cast<int>(baseY + height * 0.08); ++y)
        for (int x = static_cast<int>(cx - 1); x <= static_cast<int>(cx + 1); ++x)
            canvas.Blend(x, y, Rgb{70, 48, 34}, 1);
}

void PaintFlower(Canvas& canvas, int cx, int cy, double r, Rgb petal) {
    int reach = static_cast<int>(std::ceil(r)) + 1;
    for (int y = cy - reach; y <= cy + reach; ++y) {
        for (int x = cx - reach; x <= cx + reach; ++x) {
            double dx = x - cx, dy = (y - cy) * 1.25;
            double d = std::hypot(dx, dy);
            double angle = std::atan2(dy, dx);
            double petals = r * (0.75 + 0.25 * std::cos(5 * angle));
            if (d < petals + 0.5) {
                Rgb c = petal * (1.05 - 0.25 * (dy / std::max(1.0, r)));
                canvas.Blend(x, y, c, std::clamp(petals + 0.5 - d, 0.0, 1.0));
            }
            if (d < r * 0.32) canvas.Blend(x, y, Rgb{250, 206, 60}, 1);
        }
    }
}

} // namespace

DecodedImage RenderDemoPicture() {
    Canvas canvas;
    for (int y = 0; y < kShore; ++y)
        for (int x = 0; x < W; ++x)
            canvas.At(x, y) = SkyAt(x, y);

    Rgb haze{226, 186, 180};
    PaintRange(canvas, {300, 150, 230, 41, {206, 190, 222}, {112, 112, 168}, 0.35, 0.55}, haze);
    PaintRange(canvas, {338, 120, 170, 57, {150, 146, 170}, {70, 76, 118}, 0.2, 0.7}, haze);
    PaintRange(canvas, {366, 64, 120, 73, {118, 150, 88}, {46, 80, 62}, 0.1, 9}, haze);

    // Forest along the far shore, denser and taller towards the sides.
    GameSeed(2024);
    for (int i = 0; i < 260; ++i) {
        double x = GameRand() % (W + 40) - 20;
        double edge = std::fabs(x - W / 2.0) / (W / 2.0);
        if (GameRand() % 100 > 35 + 60 * edge) continue;
        double h = 14 + 26 * edge + GameRand() % 10;
        Rgb colour = Mix(Rgb{30, 72, 50}, Rgb{52, 96, 58}, (GameRand() % 100) / 100.0);
        PaintPine(canvas, x, kShore + 1 - GameRand() % 4, h, colour);
    }

    // The lake: a rippled mirror of everything above the shore, darker and bluer towards us.
    const int meadowTop = 500;
    for (int y = kShore; y < H; ++y) {
        double t = static_cast<double>(y - kShore) / (H - kShore);
        for (int x = 0; x < W; ++x) {
            double ripple = 3.5 * t * std::sin(y * 0.9 + 6 * Noise(x / 40.0, y / 3.0, 5)) +
                            2.0 * (Noise(x / 25.0, y / 2.0, 7) - 0.5);
            int sx = std::clamp(static_cast<int>(x + ripple), 0, W - 1);
            int sy = std::clamp(2 * kShore - y - static_cast<int>(ripple * 0.5), 0, kShore - 1);
            Rgb c = canvas.At(sx, sy);
            c = Mix(c, Rgb{28, 62, 104}, 0.25 + 0.35 * t);
            // Glitter on the sun's path.
            double path = std::exp(-std::pow((x - kSunX) / (18 + 90 * t), 2));
            double glint = Smooth(0.72, 0.9, Noise(x / 3.0, y / 1.2, 9)) * path;
            c = Mix(c, Rgb{255, 236, 190}, glint * 0.9);
            canvas.At(x, y) = c;
        }
    }

    // Meadow in front: a gentle rise with grass texture, then flowers.
    std::vector<double> meadowEdge(W);
    for (int x = 0; x < W; ++x)
        meadowEdge[static_cast<std::size_t>(x)] = meadowTop + 24 * std::sin(x / 210.0 + 0.8) -
                                                  50 * Smooth(520, 800, x) +
                                                  14 * (Fbm(x / 60.0, 3, 3, 13) - 0.5);
    for (int x = 0; x < W; ++x) {
        double top = meadowEdge[static_cast<std::size_t>(x)];
        for (int y = std::max(0, static_cast<int>(top)); y < H; ++y) {
            double t = (y - top) / (H - top + 1);
            Rgb c =
                Mix(Rgb{122, 168, 62}, Rgb{54, 112, 40}, t + 0.25 * (Fbm(x / 50.0, y / 30.0, 4, 15) - 0.5));
            c = c * (0.86 + 0.28 * Noise(x / 1.5, y / 6.0, 17));
            canvas.Blend(x, y, c, std::clamp(y - top + 1, 0.0, 1.0));
        }
    }
    // Grass blades along the meadow's edge and throughout.
    for (int i = 0; i < 9000; ++i) {
        int x = GameRand() % W;
        double top = meadowEdge[static_cast<std::size_t>(x)];
        int y = static_cast<int>(top) + GameRand() % std::max(1, static_cast<int>(H - top));
        double len = 3 + 10 * (y - top) / (H - top);
        Rgb c = (GameRand() % 2) ? Rgb{150, 196, 80} : Rgb{40, 96, 36};
        double lean = ((GameRand() % 100) - 50) / 120.0;
        for (int k = 0; k < static_cast<int>(len); ++k)
            canvas.Blend(static_cast<int>(x + lean * k), y - k, c, 0.7 * (1 - k / len));
    }
    const std::array<Rgb, 6> petals = {Rgb{226, 46, 58},   Rgb{250, 200, 40}, Rgb{160, 84, 200},
                                       Rgb{246, 236, 244}, Rgb{248, 128, 40}, Rgb{90, 120, 232}};
    for (int i = 0; i < 520; ++i) {
        int x = GameRand() % W;
        double top = meadowEdge[static_cast<std::size_t>(x)];
        double depth = std::pow((GameRand() % 1000) / 1000.0, 0.7);
        int y = static_cast<int>(top + 6 + depth * (H - top - 4));
        // Drifts of one colour: the hue follows position with a little chance of a stray.
        int hue = static_cast<int>(Noise(x / 90.0, y / 60.0, 21) * 6) % 6;
        if (GameRand() % 5 == 0) hue = GameRand() % 6;
        double r = 1.4 + 4.2 * depth;
        for (int k = 0; k < static_cast<int>(3 + 10 * depth); ++k)
            canvas.Blend(x, y + k + static_cast<int>(r), Rgb{44, 100, 34}, 0.9);
        PaintFlower(canvas, x, y, r, petals[static_cast<std::size_t>(hue)]);
    }
    // Two tall pines framing the left side.
    PaintPine(canvas, 70, 560, 330, Rgb{26, 62, 40});
    PaintPine(canvas, 132, 585, 250, Rgb{34, 78, 46});
    // A few birds against the clouds.
    const int birds[5][2] = {{330, 150}, {352, 140}, {368, 158}, {300, 120}, {405, 132}};
    for (const auto& b : birds) {
        for (int k = -5; k <= 5; ++k) {
            int y = b[1] - static_cast<int>(std::fabs(k) < 1 ? 0 : 3 - std::fabs(std::fabs(k) - 3));
            canvas.Blend(b[0] + k, y, Rgb{50, 44, 60}, 0.85);
        }
    }

    DecodedImage image;
    image.width = W;
    image.height = H;
    image.pixels.reserve(canvas.pixels.size());
    for (const Rgb& c : canvas.pixels) {
        auto channel = [](double v) {
            return static_cast<std::uint32_t>(std::clamp(std::lround(v), 0L, 254L));
        };
        image.pixels.push_back(channel(c.r) << 16 | channel(c.g) << 8 | channel(c.b));
    }
    return image;
}

bool WriteDemoPicture(const std::string& path, std::string* error) {
    return WriteJpegFile(path, RenderDemoPicture(), 92, error);
}

} // namespace publish
