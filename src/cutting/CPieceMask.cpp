#include "cutting/CPieceMask.h"

#include "cutting/CSideList.h"
#include "cutting/CutContext.h"
#include "cutting/MaskScan.h"
#include "cutting/SideGeometry.h"

#include <algorithm>
#include <cstring>

CPieceMask::~CPieceMask() = default;

bool CPieceMask::KeyEquals(const MaskKeyEntry entries[4]) const {
    for (int i = 0; i < 4; ++i)
        if (key[i].slot != entries[i].slot || key[i].setNumber != entries[i].setNumber) return false;
    return true;
}

void StampMap(std::uint8_t* mask, int side, const std::uint8_t* map, int mapWidth, int mapHeight, int originX,
              int originY) {
    if (!mask || !map || mapWidth <= 0 || mapHeight <= 0) return;
    // Side bitmaps are meant to be one cell square; anything bigger is cut at the mask's edge.
    const int xEnd = std::min(mapWidth, side - originX);
    const int yEnd = std::min(mapHeight, side - originY);
    for (int y = std::max(0, -originY); y < yEnd; ++y) {
        const std::uint8_t* src = map + static_cast<std::size_t>(y) * mapWidth;
        std::uint8_t* dst = mask + static_cast<std::size_t>(originY + y) * side + originX;
        // Every byte written, the untouched ones with their own value: the loop has no
        // branch, so the compiler can take many bytes at once.
        for (int x = std::max(0, -originX); x < xEnd; ++x) {
            const std::uint8_t v = src[x], kept = dst[x];
            dst[x] = v > 200 ? 0 : v >= 9 && v <= 199 ? 255 : kept;
        }
    }
}

void CPieceMask::Build(const MaskKeyEntry entries[4], const CutContext& context) {
    SetKey(entries);
    DrawOutline(context);
}

void CPieceMask::SetKey(const MaskKeyEntry entries[4]) {
    for (int i = 0; i < 4; ++i) {
        key[i] = entries[i];
        key[i].direction = SlotDirection(entries[i].slot);
    }
}

void CPieceMask::DrawOutline(const CutContext& context) {
    const int h = context.cellSize / 2;
    const int side = 4 * h;
    width = height = side;
    bytes.assign(static_cast<std::size_t>(side) * side, 255);
    for (int y = h; y < 3 * h; ++y)
        std::memset(bytes.data() + static_cast<std::size_t>(y) * side + h, 0,
                    static_cast<std::size_t>(2 * h));

    const int origins[4][2] = {{2 * h, h}, {h, 2 * h}, {0, h}, {h, 0}};
    for (int d = 0; d < 4; ++d) {
        // Only the first entry that claims a direction is drawn.
        const MaskKeyEntry* entry = nullptr;
        for (const MaskKeyEntry& e : key) {
            if (e.direction == d) {
                entry = &e;
                break;
            }
        }
        if (!entry || !context.sideList) continue;
        const CSideShape* shape = context.sideList->FindShape(entry->setNumber, entry->slot);
        if (!shape || shape->map.empty()) continue;
        StampMap(bytes.data(), side, shape->map.data(), shape->width, shape->height, origins[d][0],
                 origins[d][1]);
    }
    FindInside();
}

void CPieceMask::FindInside() {
    left = top = 9999;
    right = bottom = 0;
    insideRuns.clear();
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = bytes.data() + static_cast<std::size_t>(y) * width;
        for (int x = FirstWhere(row, 0, width, true); x < width; x = FirstWhere(row, x, width, true)) {
            const int start = x;
            x = FirstWhere(row, x + 1, width, false);
            insideRuns.push_back({y, start, x});
            left = std::min(left, start);
            right = std::max(right, x - 1);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    right += 1;
    bottom += 1;
}
