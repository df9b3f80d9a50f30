#include "cutting/CMaskCache.h"

#include "cutting/CPieceMask.h"
#include "cutting/SideGeometry.h"
#include "play/CPieceSide.h"

CMaskCache::~CMaskCache() = default;

void CMaskCache::Clear() {
    masks.clear();
}

CPieceMask* CMaskCache::Get(const CPieceSide sides[4], int rotation, const CutContext& context) {
    // A turned piece is drawn from the shapes of the turned directions, not by turning
    // the mask of rotation 0.
    MaskKeyEntry key[4];
    for (int i = 0; i < 4; ++i) {
        key[i].slot = RotatedSlot(sides[i].slot, rotation);
        key[i].setNumber = sides[i].setNumber;
        key[i].direction = SlotDirection(key[i].slot);
    }
    for (const auto& mask : masks)
        if (mask->KeyEquals(key)) return mask.get();
    auto mask = std::make_unique<CPieceMask>();
    mask->Build(key, context);
    masks.push_back(std::move(mask));
    return masks.back().get();
}
