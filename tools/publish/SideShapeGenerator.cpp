#include "SideShapeGenerator.h"

#include "app/Random.h"

#include <cmath>
#include <numbers>

namespace publish {

namespace {

constexpr std::array<CutInfo, 8> kCuts = {{
    {kCutTable[CutSmall], CutFamily::Classic, 6},
    {kCutTable[CutMedium], CutFamily::Classic, 8},
    {kCutTable[CutLarge], CutFamily::Classic, 8},
    {kCutTable[CutHuge], CutFamily::Classic, 8},
    {kCutTable[CutSquare], CutFamily::Square, 0},
    {kCutTable[CutAngular], CutFamily::Angular, 1},
    {kCutTable[CutWavy], CutFamily::Wavy, 8},
    {kCutTable[CutJagged], CutFamily::Jagged, 8},
}};
static_assert(kCuts.size() == kCutTable.size());

// Sub-samples per pixel side when deciding which piece a pixel belongs to.
constexpr int kSub = 4;

} // namespace

const std::array<CutInfo, 8>& AllCuts() {
    return kCuts;
}

const CutInfo* FindCut(const std::string& name) {
    for (const CutInfo& cut : kCuts)
        if (name == cut.name) return &cut;
    return nullptr;
}

int PartnerSlot(int slot) {
    // Slot 0 faces slot 6: the same outline seen from the other side is the counterpart
    // form turned half way round. Quarter turns carry the pairing along.
    int direction = (slot + 2) % 4;
    return slot < 4 ? direction + 4 : direction;
}

SideMap RotateClockwise(const SideMap& map) {
    SideMap out;
    out.size = map.size;
    out.grey.resize(map.grey.size());
    const int n = map.size;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            out.grey[static_cast<std::size_t>(y) * n + x] = map.At(y, n - 1 - x);
    return out;
}

SideSet SideShapeGenerator::MakeSet(const Ownership& leftOwns, int size) {
    const int half = size / 2;
    SideSet set;
    SideMap right;  // slot 0: the left piece's right edge
    SideMap facing; // slot 6: the right piece's left edge, same pixels
    right.size = facing.size = size;
    right.grey.assign(static_cast<std::size_t>(size) * size, kSideKeep);
    facing.grey = right.grey;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            std::size_t i = static_cast<std::size_t>(y) * size + x;
            bool left = leftOwns[i] != 0;
            // Only pixels that change hands are drawn; the rest keeps the straight edge, so
            // maps of neighbouring directions never disagree where they overlap.
            if (left && x >= half) {
                right.grey[i] = kSideAdd;
                facing.grey[i] = kSideCut;
            } else if (!left && x < half) {
                right.grey[i] = kSideCut;
                facing.grey[i] = kSideAdd;
            }
        }
    }
    set.maps[0] = right;
    for (int slot = 1; slot < 4; ++slot)
        set.maps[slot] = RotateClockwise(set.maps[slot - 1]);
    set.maps[6] = facing;
    set.maps[7] = RotateClockwise(set.maps[6]);
    set.maps[4] = RotateClockwise(set.maps[7]);
    set.maps[5] = RotateClockwise(set.maps[4]);
    for (int slot = 0; slot < 8; ++slot)
        set.partner[slot] = PartnerSlot(slot);
    return set;
}

SideShapeGenerator::SideShapeGenerator(const CutInfo& cut, std::uint32_t seed)
    : cut(cut), seed(seed), size(cut.cellSize), half(cut.cellSize / 2) {}

double SideShapeGenerator::Uniform(double lo, double hi) {
    return lo + (hi - lo) * (GameRand() / static_cast<double>(GAME_RAND_MAX));
}

std::vector<SideSet> SideShapeGenerator::Generate() {
    std::vector<SideSet> sets;
    GameSeed(seed);
    for (int index = 0; index < cut.setCount; ++index) {
        if (cut.family == CutFamily::Angular) {
            // One partition of the cell serves every edge, so there is only one set.
            sets.push_back(MakeSet(AngularOwnership(size), size));
            continue;
        }
        Ownership own;
        // Draw until the outline has no hair-thin parts; the ranges make this rare.
        for (int attempt = 0; attempt < 200; ++attempt) {
            Outline outline;
            switch (cut.family) {
            case CutFamily::Classic:
                outline = ClassicOutline();
                break;
            case CutFamily::Wavy:
                outline = WavyOutline(index % 3);
                break;
            case CutFamily::Jagged:
                outline = JaggedOutline(index % 2);
                break;
            case CutFamily::Square:
            case CutFamily::Angular:
                break;
            }
            own = Rasterise(outline);
            Tidy(own);
            if (LooksSound(own, size)) break;
        }
        sets.push_back(MakeSet(own, size));
    }
    return sets;
}

SideShapeGenerator::Ownership SideShapeGenerator::Rasterise(const Outline& outline) const {
    Ownership own(static_cast<std::size_t>(size) * size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            bool leftByDefault = x < half;
            // Only the diamond around the edge's middle may change hands: the diamonds of
            // all edges of the grid never overlap, so no pixel is claimed by two edges.
            double u = y + 0.5 - half, v = x + 0.5 - half;
            bool movable = std::fabs(u) + std::fabs(v) <= half - 1;
            int inside = 0;
            if (movable && outline.size() > 1) {
                for (int j = 0; j < kSub; ++j) {
                    for (int i = 0; i < kSub; ++i) {
                        double ps = (y + (j + 0.5) / kSub) / size;
                        double pv = (x + (i + 0.5) / kSub - half) / size;
                        // Even-odd rule over the outline closed along the straight edge:
                        // points between outline and edge belong to the other piece.
                        bool odd = false;
                        for (std::size_t k = 0; k < outline.size(); ++k) {
                            const auto& a = outline[k];
                            const auto& b = outline[(k + 1) % outline.size()];
                            if ((a[1] > pv) != (b[1] > pv)) {
                                double cross = a[0] + (b[0] - a[0]) * (pv - a[1]) / (b[1] - a[1]);
                                if (ps < cross) odd = !odd;
                            }
                        }
                        inside += odd ? 1 : 0;
                    }
                }
            }
            bool flipped = inside * 2 > kSub * kSub;
            own[static_cast<std::size_t>(y) * size + x] = (leftByDefault != flipped) ? 1 : 0;
        }
    }
    return own;
}

void SideShapeGenerator::Tidy(Ownership& own) const {
    auto owner = [&](int x, int y) -> int {
        if (x < 0) return 1;
        if (x >= size) return 0;
        if (y < 0 || y >= size) return x < half ? 1 : 0;
        return own[static_cast<std::size_t>(y) * size + x];
    };
    // With three grey levels there is no smoothing; a lone pixel or a one-pixel notch reads
    // as noise, so give it to the piece that surrounds it.
    for (int pass = 0; pass < 2; ++pass) {
        Ownership next = own;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                double u = y + 0.5 - half, v = x + 0.5 - half;
                if (std::fabs(u) + std::fabs(v) > half - 1) continue;
                int me = owner(x, y);
                int differ = (owner(x - 1, y) != me) + (owner(x + 1, y) != me) + (owner(x, y - 1) != me) +
                             (owner(x, y + 1) != me);
                if (differ >= 3)
                    next[static_cast<std::size_t>(y) * size + x] = static_cast<std::uint8_t>(1 - me);
            }
        }
        own = next;
    }
}

SideShapeGenerator::Ownership SideShapeGenerator::OwnershipOf(const SideMap& right) {
    Ownership own(right.grey.size());
    const int half = right.size / 2;
    for (int y = 0; y < right.size; ++y)
        for (int x = 0; x < right.size; ++x)
            own[static_cast<std::size_t>(y) * right.size + x] =
                x < half ? (right.At(x, y) != kSideCut) : (right.At(x, y) == kSideAdd);
    return own;
}

bool SideShapeGenerator::LooksSound(const Ownership& own, int size) {
    const int half = size / 2;
    auto owner = [&](int x, int y) -> int {
        if (x < 0) return 1;
        if (x >= size) return 0;
        if (y < 0 || y >= size) return x < half ? 1 : 0;
        return own[static_cast<std::size_t>(y) * size + x];
    };
    // Keep only pixels that sit in a 2 x 2 block of their own piece. What that takes away
    // is a hair-thin part: a pointed tip may lose a pixel or two, but a neck must not.
    std::vector<std::uint8_t> solid(own.size(), 0);
    int thin = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            int me = owner(x, y);
            bool block = false;
            for (int dy = -1; dy <= 0 && !block; ++dy)
                for (int dx = -1; dx <= 0 && !block; ++dx)
                    block = owner(x + dx, y + dy) == me && owner(x + dx + 1, y + dy) == me &&
                            owner(x + dx, y + dy + 1) == me && owner(x + dx + 1, y + dy + 1) == me;
            solid[static_cast<std::size_t>(y) * size + x] = block ? 1 : 0;
            thin += block ? 0 : 1;
        }
    }
    if (thin > size / 8) return false;
    // Each piece's solid share is all of one piece: a head never hangs by a thread.
    for (int side = 0; side < 2; ++side) {
        const std::uint8_t mine = side == 0 ? 0 : 1;
        std::vector<std::uint8_t> seen(own.size(), 0);
        std::vector<int> stack;
        int startX = side == 0 ? size - 1 : 0;
        for (int y = 0; y < size; ++y) {
            int p = y * size + startX;
            if (own[static_cast<std::size_t>(p)] == mine && solid[static_cast<std::size_t>(p)]) {
                seen[static_cast<std::size_t>(p)] = 1;
                stack.push_back(p);
            }
        }
        while (!stack.empty()) {
            int p = stack.back();
            stack.pop_back();
            int px = p % size, py = p / size;
            const int dx[4] = {1, -1, 0, 0}, dy[4] = {0, 0, 1, -1};
            for (int k = 0; k < 4; ++k) {
                int nx = px + dx[k], ny = py + dy[k];
                if (nx < 0 || ny < 0 || nx >= size || ny >= size) continue;
                std::size_t n = static_cast<std::size_t>(ny) * size + nx;
                if (seen[n] || own[n] != mine || !solid[n]) continue;
                seen[n] = 1;
                stack.push_back(static_cast<int>(n));
            }
        }
        for (std::size_t i = 0; i < own.size(); ++i)
            if (own[i] == mine && solid[i] && !seen[i]) return false;
    }
    return true;
}

// The familiar knob: a neck that narrows, a round head, slight shoulders either side. Each
// set jitters the size, the position along the edge and the lean of the neck.
SideShapeGenerator::Outline SideShapeGenerator::ClassicOutline() {
    bool tiny = size <= 16;
    double t = tiny ? Uniform(0.115, 0.13) : Uniform(0.1, 0.12);
    double j = tiny ? 0.015 : 0.035;
    double a = Uniform(-j, j), b = Uniform(-j, j), c = Uniform(-j, j) * 0.5, d = Uniform(-j, j),
           e = Uniform(-j, j);
    using P = std::array<double, 2>;
    const P curves[3][4] = {
        {{0, 0}, {0.2, a}, {0.5 + b + d, -t + c}, {0.5 - t + b, t + c}},
        {{0.5 - t + b, t + c},
         {0.5 - 2 * t + b - d, 3 * t + c},
         {0.5 + 2 * t + b - d, 3 * t + c},
         {0.5 + t + b, t + c}},
        {{0.5 + t + b, t + c}, {0.5 + b + d, -t + c}, {0.8, e}, {1, 0}},
    };
    Outline out;
    for (const auto& q : curves) {
        for (int k = (out.empty() ? 0 : 1); k <= 40; ++k) {
            double s = k / 40.0, r = 1 - s;
            P p;
            for (int axis = 0; axis < 2; ++axis)
                p[axis] = r * r * r * q[0][axis] + 3 * r * r * s * q[1][axis] + 3 * r * s * s * q[2][axis] +
                          s * s * s * q[3][axis];
            out.push_back(p);
        }
    }
    return out;
}

// The angular cut gives each edge's whole diamond (the two quarter triangles of the cells
// either side) to one piece: form A to the left piece, form B to the right. A piece whose
// four edges are all form B keeps nothing, which is why the game leaves such a piece out.
// Pixels on a cell's diagonals go to the quarter that is clockwise-next, the same rule in
// every rotation, so the four quarters of a cell never share a pixel.
SideShapeGenerator::Ownership SideShapeGenerator::AngularOwnership(int size) {
    const int half = size / 2;
    Ownership own(static_cast<std::size_t>(size) * size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double dy = y + 0.5 - half;
            bool left = true;
            if (x >= half) {
                // The right cell's left quarter: dx <= dy < -dx around that cell's centre.
                double dx = x + 0.5 - size;
                left = dx <= dy && dy < -dx;
            }
            own[static_cast<std::size_t>(y) * size + x] = left ? 1 : 0;
        }
    }
    return own;
}

// Smooth waves that fade out towards the corners; a lean along the edge makes the crests
// overhang a little so neighbours still hold each other.
SideShapeGenerator::Outline SideShapeGenerator::WavyOutline(int variant) {
    double turns = variant == 0 ? 0.5 : (variant == 1 ? 1.0 : 1.5);
    double amp = variant == 0 ? Uniform(0.2, 0.25) : Uniform(0.25, 0.33);
    double lean = Uniform(0.02, 0.045) * (GameRand() % 2 ? 1 : -1);
    double phase = variant == 0 ? 0 : (GameRand() % 2 ? 0 : std::numbers::pi);
    Outline out;
    const int steps = 200;
    for (int k = 0; k <= steps; ++k) {
        double s = static_cast<double>(k) / steps;
        double env = std::pow(std::sin(std::numbers::pi * s), variant == 0 ? 1 : 2);
        double angle = 2 * std::numbers::pi * turns * s + phase;
        out.push_back({s + lean * env * std::cos(angle), amp * env * std::sin(angle)});
    }
    return out;
}

// Saw teeth of uneven height around one large leaning tooth; every flank gets a kink so
// no two edges look alike.
SideShapeGenerator::Outline SideShapeGenerator::JaggedOutline(int variant) {
    auto bound = [](double s) { return 0.5 - std::fabs(s - 0.5) - 0.05; };
    double c = 0.5 + Uniform(-0.03, 0.03);
    double lean = (variant == 0 ? 1 : -1) * Uniform(0.03, 0.06);
    double height = Uniform(0.27, 0.32);
    Outline corners = {{0, 0}};
    int before = 2 + GameRand() % 2;
    double start = 0.14, stop = c - 0.15;
    for (int k = 0; k < before; ++k) {
        double s = start + (stop - start) * (k + 0.5) / before;
        corners.push_back({s, ((k + before) % 2 ? 1 : -1) * bound(s) * Uniform(0.45, 0.75)});
    }
    corners.push_back({c - 0.11, -0.02});
    corners.push_back({c + lean, height});
    corners.push_back({c + 0.11, -0.02});
    int after = 2 + GameRand() % 2;
    start = c + 0.15;
    stop = 0.86;
    for (int k = 0; k < after; ++k) {
        double s = start + (stop - start) * (k + 0.5) / after;
        corners.push_back({s, (k % 2 ? 1 : -1) * bound(s) * Uniform(0.45, 0.75)});
    }
    corners.push_back({1, 0});
    // Kink the long flanks of the big tooth sideways.
    Outline out;
    for (std::size_t k = 0; k < corners.size(); ++k) {
        out.push_back(corners[k]);
        if (k + 1 == corners.size()) break;
        const auto& a = corners[k];
        const auto& b = corners[k + 1];
        double ds = b[0] - a[0], dv = b[1] - a[1];
        double length = std::sqrt(ds * ds + dv * dv);
        if (length < 0.2) continue;
        double t = Uniform(0.4, 0.6), push = Uniform(0.025, 0.04) * (GameRand() % 2 ? 1 : -1);
        out.push_back({a[0] + ds * t - dv / length * push, a[1] + dv * t + ds / length * push});
    }
    return out;
}

} // namespace publish
