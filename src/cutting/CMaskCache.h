#pragma once
// Every distinct piece outline of the current cut, built once and shared by all pieces
// whose four edges carry the same shapes. Lookup is a linear search in creation order.
#include "cutting/CPieceMask.h"

#include <cstdint>
#include <memory>
#include <vector>

class CPieceSide;
struct CutContext;

class CMaskCache {
  public:
    CMaskCache() = default;
    virtual ~CMaskCache();
    CMaskCache(const CMaskCache&) = delete;
    CMaskCache& operator=(const CMaskCache&) = delete;

    // The mask of `sides` (right, bottom, left, top) turned `rotation` quarter turns
    // clockwise; built with the context's shapes and appended when the cache has none
    // with that key.
    CPieceMask* Get(const CPieceSide sides[4], int rotation, const CutContext& context);
    // Deletes every mask with its bytes and shadow.
    void Clear();
    std::size_t Size() const { return masks.size(); }

    std::vector<std::unique_ptr<CPieceMask>> masks; // creation order
};
