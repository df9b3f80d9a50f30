#pragma once
// Procedural side shapes. Every set is one edge outline drawn eight ways: slots 0-3 are the
// outline in the four directions (each a quarter turn clockwise of the one before), slots
// 4-7 its counterpart as seen from the neighbouring piece. A shape and its partner divide
// the pixels around their shared edge between the two pieces, so together they cover every
// pixel exactly once.
#include "cutting/CutTable.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace publish {

// The grey values the game reads from a side bitmap.
constexpr std::uint8_t kSideAdd = 255; // piece material
constexpr std::uint8_t kSideCut = 128; // cut away
constexpr std::uint8_t kSideKeep = 0;  // left as it is

enum class CutFamily { Classic, Square, Angular, Wavy, Jagged };

// A cut of the game's table with how the tool draws its shapes.
struct CutInfo : CutTableRow {
    CutFamily family;
    int setCount; // sets the generator makes (0: straight edges only; angular has one form)
};

// The eight cuts in style order.
const std::array<CutInfo, 8>& AllCuts();
// The cut with this exact name (case matters, as in the game), or null.
const CutInfo* FindCut(const std::string& name);

// One side map: cellSize x cellSize greys, row-major.
struct SideMap {
    int size = 0;
    std::vector<std::uint8_t> grey;
    std::uint8_t At(int x, int y) const { return grey[static_cast<std::size_t>(y) * size + x]; }
};

struct SideSet {
    std::array<SideMap, 8> maps; // by slot
    std::array<int, 8> partner{};
};

// The slot the neighbouring piece uses on the facing edge.
int PartnerSlot(int slot);
// A map turned a quarter turn clockwise.
SideMap RotateClockwise(const SideMap& map);

class SideShapeGenerator {
  public:
    // The same cut and seed always give the same sets.
    SideShapeGenerator(const CutInfo& cut, std::uint32_t seed);

    std::vector<SideSet> Generate();

    // Which of the two pieces owns each pixel of the square around a vertical edge, for
    // tests: size x size bytes, 1 where the left piece owns the pixel. Column size/2 is the
    // first column right of the edge.
    using Ownership = std::vector<std::uint8_t>;
    static SideSet MakeSet(const Ownership& leftOwns, int size);
    // The ownership a slot 0 map encodes.
    static Ownership OwnershipOf(const SideMap& right);
    // Edge diamonds handed whole to one piece (the angular cut).
    static Ownership AngularOwnership(int size);
    // No hair-thin necks or spikes, and each piece's share in one part.
    static bool LooksSound(const Ownership& own, int size);

  private:
    // An outline from (0, 0) to (1, 0): s runs along the edge, v across it (positive into
    // the right-hand piece), both in units of the edge length.
    using Outline = std::vector<std::array<double, 2>>;

    Outline ClassicOutline();
    Outline WavyOutline(int variant);
    Outline JaggedOutline(int variant);

    Ownership Rasterise(const Outline& outline) const;
    void Tidy(Ownership& own) const;
    double Uniform(double lo, double hi);

    CutInfo cut;
    std::uint32_t seed;
    int size; // cellSize
    int half; // cellSize / 2
};

} // namespace publish
