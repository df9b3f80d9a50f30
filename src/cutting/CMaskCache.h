#pragma once
// Every distinct piece outline of the current cut, built once and shared by all pieces
// whose four edges carry the same shapes. Masks are kept in creation order and found
// through a hash of their key.
#include "cutting/CPieceMask.h"

#include <array>
#include <cstdint>
#include <memory>
#include <unordered_map>
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
    // Deletes every mask with its bytes.
    void Clear();
    // From now on Get leaves the outlines of new masks undrawn and lists them; TakeDeferred
    // hands the list over and ends this, and the caller draws them (each with DrawOutline,
    // on any thread) before they are used.
    void Defer() { deferring = true; }
    std::vector<CPieceMask*> TakeDeferred();
    std::size_t Size() const { return masks.size(); }

    std::vector<std::unique_ptr<CPieceMask>> masks; // creation order

  private:
    // (slot, set number) of the four sides in order: what makes two masks the same.
    using Key = std::array<std::int32_t, 8>;
    struct KeyHash {
        std::size_t operator()(const Key& key) const;
    };
    std::unordered_map<Key, CPieceMask*, KeyHash> index;
    bool deferring = false;
    std::vector<CPieceMask*> deferred;
};
