#pragma once
// The groups near a scatter area, filed by position in squares (of the spacing new groups
// keep from each other, or larger for a huge area), so that asking whether a point is free looks at a few squares
// instead of every group on the board.
#include "platform/WinTypes.h"

#include <cstdint>
#include <vector>

class CPieceGroup;

class SpotGrid {
  public:
    // Groups whose origin lies closer than `spacing` to a point, in both directions, crowd it.
    static constexpr int kSpacing = 40;

    // Files every group of `groups` that can crowd a point of `area`.
    template <typename Groups> SpotGrid(const RECT& area, const Groups& groups) : SpotGrid(area) {
        for (const CPieceGroup* group : groups)
            Add(group);
    }
    explicit SpotGrid(const RECT& area);

    // True when some filed group's origin is within the spacing of p (strictly, both axes).
    bool Crowded(POINT p) const;
    void Add(const CPieceGroup* group);
    // Refiles a group whose origin was `from` and now is its current one.
    void Moved(const CPieceGroup* group, POINT from);

  private:
    // The square holding (x, y), or -1 when no point of the area can be crowded from there.
    int CellOf(int x, int y) const;
    void Remove(const CPieceGroup* group, POINT at);

    std::int64_t left = 0, top = 0; // board point of the first square's corner
    int side = kSpacing;         // of a square
    int columns = 0, rows = 0;
    std::vector<std::vector<const CPieceGroup*>> cells;
};
