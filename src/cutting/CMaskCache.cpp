#include "cutting/CMaskCache.h"

#include "cutting/CPieceMask.h"
#include "cutting/SideGeometry.h"
#include "play/CPieceSide.h"

#include <utility>

CMaskCache::~CMaskCache() = default;

std::size_t CMaskCache::KeyHash::operator()(const Key& key) const {
    std::uint64_t h = 1469598103934665603ull;
    for (std::int32_t v : key)
        h = (h ^ static_cast<std::uint32_t>(v)) * 1099511628211ull;
    return static_cast<std::size_t>(h ^ (h >> 29));
}

void CMaskCache::Clear() {
    index.clear();
    masks.clear();
    deferring = false;
    deferred.clear();
}

std::vector<CPieceMask*> CMaskCache::TakeDeferred() {
    deferring = false;
    return std::exchange(deferred, {});
}

CPieceMask* CMaskCache::Get(const CPieceSide sides[4], int rotation, const CutContext& context) {
    // A turned piece is drawn from the shapes of the turned directions, not by turning
    // the mask of rotation 0.
    MaskKeyEntry entries[4];
    Key key;
    for (int i = 0; i < 4; ++i) {
        entries[i].slot = RotatedSlot(sides[i].slot, rotation);
        entries[i].setNumber = sides[i].setNumber;
        entries[i].direction = SlotDirection(entries[i].slot);
        key[2 * i] = entries[i].slot;
        key[2 * i + 1] = entries[i].setNumber;
    }
    const auto [it, added] = index.try_emplace(key, nullptr);
    if (!added) return it->second;
    try {
        auto mask = std::make_unique<CPieceMask>();
        mask->SetKey(entries);
        if (deferring)
            deferred.push_back(mask.get());
        else
            mask->DrawOutline(context);
        masks.push_back(std::move(mask));
    } catch (...) {
        index.erase(it); // no key without its mask
        throw;
    }
    it->second = masks.back().get();
    return it->second;
}
