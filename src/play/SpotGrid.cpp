#include "play/SpotGrid.h"

#include "play/CPieceGroup.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {
int FloorDiv(std::int64_t a, int b) {
    return static_cast<int>(a >= 0 ? a / b : -((-a + b - 1) / b));
}
} // namespace

SpotGrid::SpotGrid(const RECT& area) {
    // Points drawn in the area lie in [left, right) (an empty area gives its left and top
    // edge); groups up to one spacing beyond that can crowd them.
    left = static_cast<std::int64_t>(area.left) - kSpacing;
    top = static_cast<std::int64_t>(area.top) - kSpacing;
    const std::int64_t w = std::max<std::int64_t>(static_cast<std::int64_t>(area.right) - area.left, 1);
    const std::int64_t h = std::max<std::int64_t>(static_cast<std::int64_t>(area.bottom) - area.top, 1);
    // Squares of the spacing, or larger ones for a huge area so the grid stays small.
    side = static_cast<int>(std::max<std::int64_t>(kSpacing, (std::max(w, h) + 2 * kSpacing) / 1024 + 1));
    columns = static_cast<int>((w + 2 * kSpacing) / side + 1);
    rows = static_cast<int>((h + 2 * kSpacing) / side + 1);
    cells.resize(static_cast<std::size_t>(columns) * rows);
}

int SpotGrid::CellOf(int x, int y) const {
    const int c = FloorDiv(static_cast<std::int64_t>(x) - left, side);
    const int r = FloorDiv(static_cast<std::int64_t>(y) - top, side);
    if (c < 0 || r < 0 || c >= columns || r >= rows) return -1;
    return r * columns + c;
}

void SpotGrid::Add(const CPieceGroup* group) {
    const int cell = CellOf(group->x, group->y);
    if (cell >= 0) cells[static_cast<std::size_t>(cell)].push_back(group);
}

void SpotGrid::Remove(const CPieceGroup* group, POINT at) {
    const int cell = CellOf(at.x, at.y);
    if (cell < 0) return;
    auto& list = cells[static_cast<std::size_t>(cell)];
    const auto it = std::find(list.begin(), list.end(), group);
    if (it == list.end()) return;
    *it = list.back();
    list.pop_back();
}

void SpotGrid::Moved(const CPieceGroup* group, POINT from) {
    Remove(group, from);
    Add(group);
}

bool SpotGrid::Crowded(POINT p) const {
    const int c0 = FloorDiv(static_cast<std::int64_t>(p.x) - kSpacing + 1 - left, side);
    const int c1 = FloorDiv(static_cast<std::int64_t>(p.x) + kSpacing - 1 - left, side);
    const int r0 = FloorDiv(static_cast<std::int64_t>(p.y) - kSpacing + 1 - top, side);
    const int r1 = FloorDiv(static_cast<std::int64_t>(p.y) + kSpacing - 1 - top, side);
    for (int r = std::max(r0, 0); r <= std::min(r1, rows - 1); ++r)
        for (int c = std::max(c0, 0); c <= std::min(c1, columns - 1); ++c)
            for (const CPieceGroup* g : cells[static_cast<std::size_t>(r) * columns + c])
                if (std::abs(static_cast<std::int64_t>(g->x) - p.x) < kSpacing &&
                    std::abs(static_cast<std::int64_t>(g->y) - p.y) < kSpacing)
                    return true;
    return false;
}
