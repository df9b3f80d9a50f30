#include "CuttingFixture.h"

#include "cutting/CPieceMask.h"
#include "cutting/CutTable.h"
#include "cutting/PieceGrid.h"
#include "cutting/PieceImages.h"
#include "cutting/SideGeometry.h"
#include "pack/Loader.h"
#include "play/CPuzzle.h"

#include <array>
#include <cstring>

namespace {

using Sides = std::array<std::array<int, 2>, 4>; // (set, slot) of right, bottom, left, top

class CutTest : public CuttingFixture {
  protected:
    void SetUp() override {
        CuttingFixture::SetUp();
        cell = 16;
        puzzle.beveling = 0;
        puzzle.userotation = 0;
        puzzle.cutStyle = CutMedium;
    }

    // Sets 0 and 1 (or those given), slots 0..7, each slot's partner serving the opposite
    // edge. A shape is a quarter-cell square centred along its edge: material just beyond
    // the body for slots 0-3 (a tab), cut just inside it for slots 4-7 (a hollow).
    void MakeSideList(std::initializer_list<int> sets = {0, 1}) {
        const int h = cell / 2, q = cell / 4;
        for (int set : sets) {
            ++sideList.setCount;
            for (int slot = 0; slot < 8; ++slot) {
                CSideShape* shape = AddShape(set, slot, (slot + 2) % 4 + (slot & 4), 0);
                const int dir = slot % 4;
                const bool tab = slot < 4;
                // Right and bottom shapes have the body in their first half, left and top
                // ones in their second.
                const int across = (tab == (dir == 0 || dir == 1)) ? h : h - q;
                const int along = h - q / 2;
                for (int i = 0; i < q; ++i)
                    for (int j = 0; j < q; ++j) {
                        const int x = dir % 2 == 0 ? across + i : along + i;
                        const int y = dir % 2 == 0 ? along + j : across + j;
                        shape->map[y * cell + x] = tab ? 255 : 100;
                    }
            }
        }
    }

    // A picture whose every pixel is distinct, loaded into the puzzle like a real one.
    void MakePicture(int width, int height) {
        CSurface* surface = nullptr;
        ASSERT_EQ(display.NewSurface(&surface, width, height, false), S_OK);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                surface->SetPixelColour(x, y, RGB(x * 3 % 250, y * 5 % 250, (x + y) % 200));
        delete puzzle.pictureSurface;
        puzzle.pictureSurface = surface;
        PrepareGrid(&puzzle, cell);
    }

    // Pieces restored from saved records instead of drawn.
    void Restore(const std::vector<Sides>& sides, const std::vector<int>& rotations = {}) {
        puzzle.restoringPosition = 1;
        puzzle.savedPosition.columns = puzzle.cols;
        puzzle.savedPosition.pieces.clear();
        for (std::size_t i = 0; i < sides.size(); ++i) {
            SavedPieceRecord record;
            record.rotation = i < rotations.size() ? rotations[i] : 0;
            std::memcpy(record.sides, sides[i].data(), sizeof record.sides);
            puzzle.savedPosition.pieces.push_back(record);
        }
    }

    void CutAll() { RunCuttingPass(Context(), &puzzle); }

    CPiece* Piece(int c, int r) { return puzzle.pieces[r * puzzle.cols + c].get(); }
    std::uint32_t PicturePixel(int x, int y) { return puzzle.pictureSurface->GetPixelValue(x, y); }

    CPuzzle puzzle;
};

TEST(NudgeWhite, WhiteMovesOffWhiteInEveryLayoutWhateverTheSpareBits) {
    struct Case {
        PixelFormatCode format;
        std::uint32_t before, after;
    };
    const Case cases[] = {
        {RGB565, 0xFFFF, 0xFFFE},        {RGB565, 0xFFDF, 0xFFDF},        {RGB555, 0x7FFF, 0x7FFE},
        {RGB555, 0xFFFF, 0xFFFE},        {RGB24, 0xFFFFFF, 0xFFFFFA},     {RGB32, 0x00FFFFFF, 0x00FFFFFA},
        {RGB32, 0xFFFFFFFF, 0xFFFFFFFA}, {RGB32, 0x00FEFFFF, 0x00FEFFFF},
    };
    for (const Case& c : cases) {
        auto surface = SurfaceIn(c.format, 3, 2);
        surface->SetPixelValue(1, 1, c.before);
        NudgeWhite(surface.get());
        EXPECT_EQ(surface->GetPixelValue(1, 1), c.after) << c.format << " " << std::hex << c.before;
        EXPECT_EQ(surface->GetPixelValue(0, 0), 0u);
    }
}

TEST_F(CutTest, GoldenSidesAndImagesForAFixedSeed) {
    MakeSideList();
    MakePicture(48, 40); // 3 x 2, the last 8 rows in no piece
    ASSERT_EQ(std::pair(puzzle.cols, puzzle.rows), std::pair(3, 2));
    GameSeed(1234);
    CutAll();
    const Sides expected[6] = {
        {{{1, 0}, {0, 5}, {-2, -1}, {-2, -1}}}, {{{0, 0}, {0, 5}, {1, 2}, {-2, -1}}},
        {{{-2, -1}, {1, 1}, {0, 2}, {-2, -1}}}, {{{0, 4}, {-2, -1}, {-2, -1}, {0, 7}}},
        {{{1, 4}, {-2, -1}, {0, 6}, {0, 7}}},   {{{-2, -1}, {-2, -1}, {1, 6}, {1, 3}}},
    };
    for (int i = 0; i < 6; ++i) {
        const CPiece* piece = puzzle.pieces[i].get();
        const int c = i % 3, r = i / 3;
        EXPECT_EQ(std::pair(piece->col, piece->row), std::pair(c, r));
        for (int d = 0; d < 4; ++d) {
            EXPECT_EQ(piece->sides[d].direction, d);
            EXPECT_EQ((Sides::value_type{piece->sides[d].setNumber, piece->sides[d].slot}), expected[i][d])
                << "piece " << i << " side " << d;
        }
        // The picture inside the mask and transparent white elsewhere; one image without rotation.
        const CSurface* image = piece->images[0];
        const CPieceMask* mask = piece->masks[0];
        ASSERT_TRUE(image && mask);
        EXPECT_EQ(image->desc.dwWidth, 32);
        EXPECT_TRUE(image->transparent);
        EXPECT_EQ(piece->images[1], nullptr);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const std::uint32_t want = mask->bytes[y * 32 + x] == 0
                                               ? PicturePixel(c * 16 - 8 + x, r * 16 - 8 + y)
                                               : image->colourKey;
                ASSERT_EQ(image->GetPixelValue(x, y), want) << "piece " << i << " at " << x << "," << y;
            }
    }
    EXPECT_EQ(std::pair(Piece(1, 1)->sides[3].neighbourCol, Piece(1, 1)->sides[3].neighbourRow),
              std::pair(1, 0));
    EXPECT_EQ(Piece(1, 1)->sides[0].neighbourCol, 2);
}

TEST_F(CutTest, EightDrawsPerPieceOrNineWithRotationAndNoneWithoutSets) {
    MakePicture(64, 48); // 4 x 3
    auto drawsUsed = [&] {
        GameSeed(7);
        CutAll();
        const int after = GameRand();
        GameSeed(7);
        for (int n = 0; n < 1000; ++n)
            if (GameRand() == after) return n;
        return -1;
    };
    EXPECT_EQ(drawsUsed(), 0);
    EXPECT_EQ(Piece(1, 1)->sides[0].slot, -1);
    MakeSideList();
    EXPECT_EQ(drawsUsed(), 12 * 8);
    puzzle.userotation = 1;
    EXPECT_EQ(drawsUsed(), 12 * 9);
    bool turned = false;
    for (const auto& piece : puzzle.pieces) {
        EXPECT_TRUE(piece->rotation >= 0 && piece->rotation <= 3);
        EXPECT_EQ(piece->sides[2].rotation, piece->rotation);
        turned = turned || piece->rotation != 0;
    }
    EXPECT_TRUE(turned);
}

// Facing slots being partners is proven with real shapes by the publishing cut test.
TEST_F(CutTest, MissingSetsLeaveBothFacingEdgesStraight) {
    MakeSideList({0, 5}); // count 2: draws of set 1 find nothing
    MakePicture(96, 96);
    GameSeed(99);
    CutAll();
    int straightInner = 0;
    for (const auto& piece : puzzle.pieces)
        for (int d = 0; d < 4; ++d) {
            const CPieceSide& side = piece->sides[d];
            straightInner += side.setNumber == -1;
            if (side.setNumber == -2) continue;
            const CPieceSide& facing = Piece(side.neighbourCol, side.neighbourRow)->sides[(d + 2) % 4];
            EXPECT_EQ(std::pair(side.setNumber, facing.setNumber),
                      std::pair(side.setNumber == -1 ? -1 : 0, side.setNumber == -1 ? -1 : 0))
                << piece->col << "," << piece->row << " side " << d;
        }
    EXPECT_GT(straightInner, 0);
}

TEST_F(CutTest, RestoringTakesSavedShapesAndRotationsWithoutDrawing) {
    MakeSideList();
    MakePicture(32, 16); // 2 x 1
    puzzle.userotation = 1;
    // The second record's rotation 7 is no rotation and is ignored.
    Restore({{{{1, 5}, {-2, -1}, {-2, -1}, {-2, -1}}}, {{{-2, -1}, {-2, -1}, {1, 7}, {-2, -1}}}}, {2, 7});
    GameSeed(5);
    const int firstDraw = GameRand();
    GameSeed(5);
    CutAll();
    EXPECT_EQ(GameRand(), firstDraw);
    EXPECT_EQ(
        (std::vector<int>{Piece(0, 0)->sides[0].setNumber, Piece(0, 0)->sides[0].slot, Piece(0, 0)->rotation,
                          Piece(0, 0)->sides[3].rotation, Piece(1, 0)->sides[2].slot, Piece(1, 0)->rotation}),
        (std::vector<int>{1, 5, 2, 2, 7, 0}));

    // A file with fewer records than pieces leaves the others straight.
    puzzle.savedPosition.pieces.resize(1);
    CutAll();
    EXPECT_EQ(Piece(1, 0)->sides[2].setNumber, -1);
    EXPECT_NE(Piece(1, 0)->images[0], nullptr);

    // A tab over the picture's border shows black rather than reading outside it. The
    // left tab square covers columns 4..7, rows 14..17.
    MakePicture(16, 16);
    Restore({{{{-2, -1}, {-2, -1}, {0, 2}, {-2, -1}}}});
    CutAll();
    const CSurface* image = Piece(0, 0)->images[0];
    EXPECT_EQ(image->GetPixelValue(5, 16), 0u);
    EXPECT_EQ(image->GetPixelValue(3, 16), image->colourKey);
    EXPECT_EQ(image->GetPixelValue(9, 16), PicturePixel(1, 8));
}

TEST_F(CutTest, TurnedImagesShowTheTurnedPieceCutWithTheTurnedMask) {
    MakeSideList();
    MakePicture(32, 16);
    puzzle.userotation = 1;
    GameSeed(3);
    CutAll();
    const CPiece* piece = Piece(0, 0); // right edge: whatever was drawn
    ASSERT_TRUE(piece->images[0] && piece->images[1] && piece->images[3] && piece->masks[0] &&
                piece->masks[1]);
    // Image 1 at (x, y) shows what image 0 shows at (y, S-1-x).
    const CSurface *image0 = piece->images[0], *image1 = piece->images[1];
    int checked = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const int ox = y, oy = 31 - x;
            if (piece->masks[1]->bytes[y * 32 + x] != 0 || piece->masks[0]->bytes[oy * 32 + ox] != 0)
                continue;
            ASSERT_EQ(image1->GetPixelValue(x, y), image0->GetPixelValue(ox, oy));
            ++checked;
        }
    EXPECT_GT(checked, 200);
    // The right-edge shape is at the bottom of image 1: a tab there is material, a hollow cut.
    EXPECT_EQ(image1->GetPixelValue(16, 27) != image1->colourKey, piece->sides[0].slot < 4);
}

TEST_F(CutTest, SmallPiecesAreNotBevelled) {
    MakePicture(16, 16); // one piece, four straight edges
    puzzle.beveling = 1;
    puzzle.bevellevel = 1;
    puzzle.cutStyle = CutSmall;
    CutAll();
    for (int y = 8; y < 24; ++y)
        for (int x = 8; x < 24; ++x)
            ASSERT_EQ(Piece(0, 0)->images[0]->GetPixelValue(x, y), PicturePixel(x - 8, y - 8));
    puzzle.cutStyle = CutMedium;
    CutAll();
    const CSurface* image = Piece(0, 0)->images[0];
    EXPECT_GT(image->GetPixelValue(8, 8) & 0xFF, PicturePixel(0, 0) & 0xFF);
    EXPECT_LT(image->GetPixelValue(23, 23) >> 8 & 0xFF, PicturePixel(15, 15) >> 8 & 0xFF);
    EXPECT_EQ(image->GetPixelValue(16, 16), PicturePixel(8, 8)) << "the middle is left alone";
}

TEST_F(CutTest, PiecesAreCutInEveryDisplayLayout) {
    for (PixelFormatCode format : {RGB555, RGB565, RGB24, RGB32}) {
        SCOPED_TRACE(format);
        maskCache.Clear();
        UseFormat(format);
        sideList.Clear();
        MakeSideList();
        MakePicture(32, 32);
        puzzle.beveling = 1;
        puzzle.bevellevel = 2;
        puzzle.userotation = 1;
        GameSeed(11);
        CutAll();
        ASSERT_EQ(puzzle.pictureCopy.format, format);
        for (const auto& piece : puzzle.pieces)
            for (int r = 0; r < 4; ++r) {
                const CSurface* image = piece->images[r];
                ASSERT_NE(image, nullptr);
                EXPECT_EQ(image->pixelFormat, format);
                // Nothing inside the outline may turn into the transparent colour.
                for (int i = 0; i < 32 * 32; ++i)
                    if (piece->masks[r]->bytes[i] == 0) {
                        ASSERT_NE(image->GetPixelValue(i % 32, i / 32), image->colourKey);
                    }
            }
    }
}

TEST_F(CutTest, RebuildingEmptiesTheCacheFirstAndSkipsImagesThatCannotBeMade) {
    MakeSideList();
    MakePicture(32, 16);
    GameSeed(1);
    CutAll();
    ASSERT_GT(maskCache.Size(), 0u);
    puzzle.userotation = 1;
    PreparePieceBuild(Context(), &puzzle);
    EXPECT_EQ(maskCache.Size(), 0u);
    for (const auto& piece : puzzle.pieces)
        for (CPieceMask* mask : piece->masks)
            EXPECT_EQ(mask, nullptr) << "no piece is left on a freed mask";
    EXPECT_EQ(puzzle.scratch[1].size(), 4u * 32 * 32);
    Piece(1, 0)->BuildImages(Context(), &puzzle);
    EXPECT_NE(Piece(1, 0)->images[3], nullptr);

    // Without a display the images cannot be made: logged and left out.
    display.ReleaseAll();
    Piece(0, 0)->BuildImages(Context(), &puzzle);
    EXPECT_EQ(Piece(0, 0)->images[0], nullptr);
    EXPECT_TRUE(Logged("Failed to create surface! MakeImageFromMask()\n"));
}

} // namespace
