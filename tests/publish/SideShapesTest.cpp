#include "PublishFixtures.h"
#include "SideShapeGenerator.h"
#include "cutting/CPieceMask.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace publish;

namespace {

std::vector<SideSet> SetsFor(const CutInfo& cut) {
    return SideShapeGenerator(cut, 99).Generate();
}

// Mask bytes turned a quarter turn clockwise, as RotateScratch turns images.
std::vector<std::uint8_t> Turned(const std::vector<std::uint8_t>& mask, int side) {
    std::vector<std::uint8_t> out(mask.size());
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            out[static_cast<std::size_t>(y) * side + x] =
                mask[static_cast<std::size_t>(side - 1 - x) * side + y];
    return out;
}

} // namespace

// Partners and turned slots are proven by cutting with the shapes below.
TEST(SideShapes, BothFormsOfEveryCutUseOnlyTheThreeGreysAndHaveNoHairlines) {
    // A 16-bit display keeps only the top five bits of red: no grey may change its meaning.
    for (std::uint8_t g : {kSideAdd, kSideCut, kSideKeep})
        EXPECT_EQ((g & 0xF8) > 200 ? 2 : (g & 0xF8) >= 9, g > 200 ? 2 : (g >= 9 && g <= 199)) << int(g);
    for (const CutInfo& cut : AllCuts()) {
        SCOPED_TRACE(cut.name);
        for (const SideSet& set : SetsFor(cut)) {
            for (const SideMap& map : set.maps) {
                ASSERT_EQ(map.grey.size(), static_cast<std::size_t>(cut.cellSize * cut.cellSize));
                for (std::uint8_t g : map.grey)
                    ASSERT_TRUE(g == kSideAdd || g == kSideCut || g == kSideKeep);
            }
            EXPECT_NE(set.maps[0].grey, set.maps[4].grey) << "slot 0 is not its own counterpart";
            // Angular edges are whole triangles, pointed by design.
            if (cut.family != CutFamily::Angular) {
                EXPECT_TRUE(SideShapeGenerator::LooksSound(SideShapeGenerator::OwnershipOf(set.maps[0]),
                                                           cut.cellSize));
            }
        }
    }
}

// Cut a grid with the game's own cutting pass and masks: every pixel of the picture area
// belongs to exactly one piece, nothing outside it to any, and a turned piece's mask is its
// unturned mask turned.
TEST(SideShapes, GameCutCoversEveryPixelExactlyOnceForEveryCut) {
    for (const CutInfo& cut : AllCuts()) {
        SCOPED_TRACE(cut.name);
        HeadlessCutter cutter;
        UseSets(cutter, cut, SetsFor(cut));
        CPuzzle puzzle;
        puzzle.userotation = 1;
        puzzle.beveling = 0;
        const int cols = 6, rows = 5, cs = cut.cellSize, h = cs / 2, side = 4 * h;
        CutGrid(cutter, cut, puzzle, cols, rows, 4242);
        ASSERT_EQ(puzzle.pieces.size(), static_cast<std::size_t>(cols * rows));

        const int width = cols * cs + 2 * cs, height = rows * cs + 2 * cs; // a cell of room around
        std::vector<int> cover(static_cast<std::size_t>(width) * height, 0);
        int emptyPieces = 0;
        for (const auto& piece : puzzle.pieces) {
            const CPieceMask* mask = piece->masks[0];
            ASSERT_NE(mask, nullptr);
            ASSERT_EQ(mask->width, side);
            int inside = 0;
            for (int y = 0; y < side; ++y) {
                for (int x = 0; x < side; ++x) {
                    if (mask->bytes[static_cast<std::size_t>(y) * side + x] != 0) continue;
                    ++inside;
                    int px = piece->col * cs - h + x + cs, py = piece->row * cs - h + y + cs;
                    ++cover[static_cast<std::size_t>(py) * width + px];
                }
            }
            emptyPieces += inside == 0;
            // Rotations are drawn from the turned slots; they must match the turned outline.
            std::vector<std::uint8_t> expected = mask->bytes;
            for (int r = 1; r < 4; ++r) {
                ASSERT_NE(piece->masks[r], nullptr);
                expected = Turned(expected, side);
                ASSERT_EQ(piece->masks[r]->bytes, expected) << "rotation " << r;
            }
        }
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                bool inPicture = x >= cs && y >= cs && x < cs + cols * cs && y < cs + rows * cs;
                ASSERT_EQ(cover[static_cast<std::size_t>(y) * width + x], inPicture ? 1 : 0)
                    << "picture pixel " << x - cs << ", " << y - cs;
            }
        }
        if (cut.family != CutFamily::Angular) {
            EXPECT_EQ(emptyPieces, 0);
        }
    }
}

// The game leaves out an angular piece whose four sides all carry the second form; such a
// piece must have nothing to show, or the finished picture would have a hole.
TEST(SideShapes, AngularPieceWithFourSecondFormSidesIsEmpty) {
    const CutInfo& cut = *FindCut("angular");
    HeadlessCutter cutter;
    UseSets(cutter, cut, SetsFor(cut));
    MaskKeyEntry key[4];
    for (int d = 0; d < 4; ++d)
        key[d] = {d + 4, 0, -1};
    CPieceMask mask;
    mask.Build(key, cutter.Context(cut.cellSize));
    EXPECT_TRUE(std::all_of(mask.bytes.begin(), mask.bytes.end(), [](std::uint8_t b) { return b == 255; }));
}
